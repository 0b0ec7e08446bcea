#include "WireLink.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <string.h>

#define WIRE_KIND_WATCH 'W'
#define WIRE_MAX_PAYLOAD (64 * 1024)

static void PutU32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = (uint8_t)(value >> (8 * i));
}

static uint32_t GetU32(const uint8_t* in) {
    return (uint32_t)in[0] | ((uint32_t)in[1] << 8) | ((uint32_t)in[2] << 16) |
           ((uint32_t)in[3] << 24);
}

// Wine's kernel has no interrupt-time clock for drivers: the system's performance counter.
__declspec(dllimport) LONG WINAPI
    NtQueryPerformanceCounter(LARGE_INTEGER* counter, LARGE_INTEGER* frequency);

static uint64_t WireNowMs(void) {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    if (NtQueryPerformanceCounter(&counter, &frequency) != 0 || frequency.QuadPart <= 0)
        return 0;
    return (uint64_t)(counter.QuadPart / (frequency.QuadPart / 1000));
}

// Waits until the socket can be read (or written) or the deadline passes.
static int WaitReady(uintptr_t s, int forWrite, uint64_t deadline) {
    const uint64_t now = WireNowMs();
    if (now >= deadline)
        return FALSE;
    const uint64_t left = deadline - now;
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    struct timeval limit = {(long)(left / 1000), (long)(left % 1000) * 1000};
    const int count =
        select(0, forWrite ? NULL : &ready, forWrite ? &ready : NULL, &failed, &limit);
    return count > 0 && FD_ISSET(s, &ready) && !FD_ISSET(s, &failed);
}

static int SendAll(uintptr_t s, const uint8_t* data, uint32_t size, uint64_t deadline) {
    while (size > 0) {
        if (!WaitReady(s, TRUE, deadline))
            return FALSE;
        const int sent = send(s, (const char*)data, (int)size, 0);
        if (sent <= 0)
            return FALSE;
        data += sent;
        size -= (uint32_t)sent;
    }
    return TRUE;
}

static int ReceiveAll(uintptr_t s, uint8_t* data, uint32_t size, uint64_t deadline) {
    while (size > 0) {
        if (!WaitReady(s, FALSE, deadline))
            return FALSE;
        const int got = recv(s, (char*)data, (int)size, 0);
        if (got <= 0)
            return FALSE;
        data += got;
        size -= (uint32_t)got;
    }
    return TRUE;
}

int WireStartup(void) {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

void WireInit(WireLink* link) {
    link->socket = INVALID_SOCKET;
    link->address[0] = '\0';
}

void WireClose(WireLink* link) {
    if (link->socket != INVALID_SOCKET)
        closesocket(link->socket);
    link->socket = INVALID_SOCKET;
    link->address[0] = '\0';
}

int WireConnect(WireLink* link, const char* address, int timeoutMs) {
    if (link->socket != INVALID_SOCKET && strcmp(link->address, address) == 0)
        return TRUE;
    WireClose(link);
    const char* colon = strrchr(address, ':');
    if (colon == NULL || colon == address || strlen(address) >= sizeof link->address)
        return FALSE;
    char host[64];
    memcpy(host, address, (size_t)(colon - address));
    host[colon - address] = '\0';
    struct addrinfo hints;
    memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    struct addrinfo* found = NULL;
    if (getaddrinfo(host, colon + 1, &hints, &found) != 0 || found == NULL)
        return FALSE;
    const uint64_t deadline = WireNowMs() + (uint64_t)timeoutMs;
    uintptr_t s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
    int connected = FALSE;
    if (s != INVALID_SOCKET) {
        u_long nonBlocking = 1;
        ioctlsocket(s, FIONBIO, &nonBlocking);
        if (connect(s, found->ai_addr, (int)found->ai_addrlen) == 0 ||
            WSAGetLastError() == WSAEWOULDBLOCK)
            connected = WaitReady(s, TRUE, deadline);
    }
    freeaddrinfo(found);
    if (!connected) {
        if (s != INVALID_SOCKET)
            closesocket(s);
        return FALSE;
    }
    // Reports are small and strictly request-reply: each goes out at once.
    int noDelay = 1;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, (const char*)&noDelay, sizeof noDelay);
    link->socket = s;
    strcpy(link->address, address);
    return TRUE;
}

int WireExchange(WireLink* link, const uint8_t* request, uint32_t requestLength, uint8_t* reply,
                 uint32_t replyCapacity, uint32_t* replyLength, int* ok, int timeoutMs) {
    if (link->socket == INVALID_SOCKET || requestLength == 0 || requestLength > WIRE_MAX_PAYLOAD)
        return FALSE;
    const uint64_t deadline = WireNowMs() + (uint64_t)timeoutMs;
    uint8_t header[4];
    PutU32(header, requestLength);
    uint8_t answer[2];
    int done = SendAll(link->socket, header, 4, deadline) &&
               SendAll(link->socket, request, requestLength, deadline) &&
               ReceiveAll(link->socket, header, 4, deadline);
    const uint32_t length = done ? GetU32(header) : 0;
    done = done && length >= 2 && length - 2 <= replyCapacity &&
           ReceiveAll(link->socket, answer, 2, deadline) && answer[0] == request[0] &&
           ReceiveAll(link->socket, reply, length - 2, deadline);
    if (!done) {
        // The stream may be out of step: start afresh next time.
        WireClose(link);
        return FALSE;
    }
    *ok = answer[1] == 1;
    *replyLength = length - 2;
    return TRUE;
}

int WireWatch(WireLink* link, int knownPresent, uint32_t knownArrivals, uint32_t waitMs,
              int* present, uint32_t* arrivals) {
    uint8_t request[10];
    request[0] = WIRE_KIND_WATCH;
    request[1] = knownPresent ? 1 : 0;
    PutU32(request + 2, knownArrivals);
    PutU32(request + 6, waitMs);
    uint8_t reply[5];
    uint32_t length = 0;
    int ok = FALSE;
    if (!WireExchange(link, request, sizeof request, reply, sizeof reply, &length, &ok,
                      (int)waitMs + 2000) ||
        !ok || length != 5)
        return FALSE;
    *present = reply[0] == 1;
    *arrivals = GetU32(reply + 1);
    return TRUE;
}

#include "VirtualMouseClient.h"

#include <cstring>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>
#include <cerrno>
#endif

#include "WireProtocol.h"

namespace vmouse {

namespace {

#ifdef _WIN32
using Socket = SOCKET;
const Socket kNoSocket = INVALID_SOCKET;
void CloseSocket(Socket s) {
    closesocket(s);
}
constexpr int kSendFlags = 0;
#else
using Socket = int;
const Socket kNoSocket = -1;
void CloseSocket(Socket s) {
    close(s);
}
constexpr int kSendFlags = MSG_NOSIGNAL;
#endif

constexpr int kConnectTimeoutMs = 2000;
constexpr int kDefaultTimeoutMs = 5000;

void SetIoTimeout(Socket s, int ms) {
#ifdef _WIN32
    const DWORD value = static_cast<DWORD>(ms);
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&value), sizeof value);
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&value), sizeof value);
#else
    timeval value{};
    value.tv_sec = ms / 1000;
    value.tv_usec = (ms % 1000) * 1000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value);
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &value, sizeof value);
#endif
}

// Connects with a bounded wait: a non-blocking connect, then a wait for writability.
bool ConnectWithin(Socket s, const sockaddr* address, socklen_t length, int ms) {
#ifdef _WIN32
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    if (connect(s, address, length) != 0 && WSAGetLastError() != WSAEWOULDBLOCK)
        return false;
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval limit{ms / 1000, (ms % 1000) * 1000};
    if (select(0, nullptr, &writable, &failed, &limit) <= 0 || FD_ISSET(s, &failed))
        return false;
    nonBlocking = 0;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    return true;
#else
    const int flags = fcntl(s, F_GETFL, 0);
    fcntl(s, F_SETFL, flags | O_NONBLOCK);
    if (connect(s, address, length) != 0 && errno != EINPROGRESS)
        return false;
    pollfd entry{s, POLLOUT, 0};
    if (poll(&entry, 1, ms) <= 0)
        return false;
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
        return false;
    fcntl(s, F_SETFL, flags);
    return true;
#endif
}

}  // namespace

bool ParseHostPort(const std::string& text, std::string& host, uint16_t& port) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= text.size())
        return false;
    const std::string digits = text.substr(colon + 1);
    if (digits.size() > 5)
        return false;
    unsigned long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    if (value == 0 || value > 65535)
        return false;
    host = text.substr(0, colon);
    port = static_cast<uint16_t>(value);
    return true;
}

bool IsLoopbackAddress(const std::string& hostPort) {
    std::string host;
    uint16_t port = 0;
    if (!ParseHostPort(hostPort, host, port))
        return false;
    if (host == "localhost" || host == "::1" || host == "[::1]")
        return true;
    // 127.a.b.c, each part a number from 0 to 255.
    if (host.rfind("127.", 0) != 0)
        return false;
    int parts = 0;
    int value = -1;
    for (char c : host) {
        if (c == '.') {
            if (value < 0)
                return false;
            ++parts;
            value = -1;
        } else if (c >= '0' && c <= '9') {
            value = (value < 0 ? 0 : value * 10) + (c - '0');
            if (value > 255)
                return false;
        } else {
            return false;
        }
    }
    return parts == 3 && value >= 0;
}

struct VirtualMouseClient::Impl {
    Socket socket = kNoSocket;
    bool winsockStarted = false;
    uint32_t arrival = 0;
    int timeoutMs = kDefaultTimeoutMs;

    bool SendAll(const uint8_t* data, size_t size) {
        while (size > 0) {
            const int sent = send(socket, reinterpret_cast<const char*>(data),
                                  static_cast<int>(size), kSendFlags);
            if (sent <= 0)
                return false;
            data += sent;
            size -= static_cast<size_t>(sent);
        }
        return true;
    }

    bool ReceiveAll(uint8_t* data, size_t size) {
        while (size > 0) {
            const int got = recv(socket, reinterpret_cast<char*>(data), static_cast<int>(size), 0);
            if (got <= 0)
                return false;
            data += got;
            size -= static_cast<size_t>(got);
        }
        return true;
    }

    void Close() {
        if (socket != kNoSocket)
            CloseSocket(socket);
        socket = kNoSocket;
    }

    // One request and its reply. On any transport failure the connection is dropped, since the
    // stream may be out of step. `ok` is the server's verdict; `data` what follows it.
    bool Exchange(const std::vector<uint8_t>& request, bool& ok, std::vector<uint8_t>& data) {
        if (socket == kNoSocket)
            return false;
        std::vector<uint8_t> frame;
        frame.reserve(4 + request.size());
        wire::PutU32(frame, static_cast<uint32_t>(request.size()));
        frame.insert(frame.end(), request.begin(), request.end());
        uint8_t header[4];
        if (!SendAll(frame.data(), frame.size()) || !ReceiveAll(header, sizeof header)) {
            Close();
            return false;
        }
        const uint32_t length = static_cast<uint32_t>(header[0]) | (header[1] << 8) |
                                (header[2] << 16) | (static_cast<uint32_t>(header[3]) << 24);
        if (length < 2 || length > wire::kMaxPayload) {
            Close();
            return false;
        }
        std::vector<uint8_t> reply(length);
        if (!ReceiveAll(reply.data(), length) || reply[0] != request[0]) {
            Close();
            return false;
        }
        ok = reply[1] == 1;
        data.assign(reply.begin() + 2, reply.end());
        return true;
    }
};

VirtualMouseClient::VirtualMouseClient() : impl_(std::make_unique<Impl>()) {}

VirtualMouseClient::~VirtualMouseClient() {
    Disconnect();
}

bool VirtualMouseClient::Connect(const std::string& hostPort) {
    Disconnect();
    std::string host;
    uint16_t port = 0;
    if (!ParseHostPort(hostPort, host, port))
        return false;
#ifdef _WIN32
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    impl_->winsockStarted = true;
#endif
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        Disconnect();
        return false;
    }
    for (addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        const Socket s = socket(entry->ai_family, entry->ai_socktype, entry->ai_protocol);
        if (s == kNoSocket)
            continue;
        if (ConnectWithin(s, entry->ai_addr, static_cast<socklen_t>(entry->ai_addrlen),
                          kConnectTimeoutMs)) {
            impl_->socket = s;
            break;
        }
        CloseSocket(s);
    }
    freeaddrinfo(found);
    if (impl_->socket == kNoSocket) {
        Disconnect();
        return false;
    }
    // Reports are small and strictly request-reply: send each at once.
    int noDelay = 1;
    setsockopt(impl_->socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);
    SetIoTimeout(impl_->socket, impl_->timeoutMs);
    return true;
}

void VirtualMouseClient::Disconnect() {
    impl_->Close();
    impl_->arrival = 0;
#ifdef _WIN32
    if (impl_->winsockStarted)
        WSACleanup();
#endif
    impl_->winsockStarted = false;
}

bool VirtualMouseClient::IsConnected() const {
    return impl_->socket != kNoSocket;
}

void VirtualMouseClient::SetTimeout(int ms) {
    impl_->timeoutMs = ms > 0 ? ms : kDefaultTimeoutMs;
    if (impl_->socket != kNoSocket)
        SetIoTimeout(impl_->socket, impl_->timeoutMs);
}

void VirtualMouseClient::BindToArrival(uint32_t arrival) {
    impl_->arrival = arrival;
}

bool VirtualMouseClient::QueryPresence(bool& present, uint32_t& arrivals) {
    bool ok = false;
    std::vector<uint8_t> data;
    if (!impl_->Exchange({wire::kPresence}, ok, data) || !ok || data.size() != 5)
        return false;
    present = data[0] == 1;
    return wire::GetU32(data, 1, arrivals);
}

bool VirtualMouseClient::QueryPresent(bool& present) {
    uint32_t arrivals = 0;
    return QueryPresence(present, arrivals);
}

bool VirtualMouseClient::SetFeature(const uint8_t* report, size_t length) {
    if (report == nullptr || length == 0 || length > wire::kMaxPayload - 16)
        return false;
    std::vector<uint8_t> request{wire::kSet};
    wire::PutU32(request, impl_->arrival);
    request.insert(request.end(), report, report + length);
    bool ok = false;
    std::vector<uint8_t> data;
    return impl_->Exchange(request, ok, data) && ok;
}

bool VirtualMouseClient::GetFeature(uint8_t* report, size_t length) {
    if (report == nullptr || length == 0 || length > wire::kMaxPayload - 16)
        return false;
    std::vector<uint8_t> request{wire::kGet};
    wire::PutU32(request, impl_->arrival);
    request.insert(request.end(), report, report + length);
    bool ok = false;
    std::vector<uint8_t> data;
    // A reply of another length than asked for is not trusted.
    if (!impl_->Exchange(request, ok, data) || !ok || data.size() != length)
        return false;
    std::memcpy(report, data.data(), length);
    return true;
}

bool VirtualMouseClient::WaitForChange(bool knownPresent, uint32_t knownArrivals, int waitMs,
                                       bool& present, uint32_t& arrivals) {
    if (waitMs < 0)
        waitMs = 0;
    if (static_cast<uint32_t>(waitMs) > wire::kMaxWatchMs)
        waitMs = static_cast<int>(wire::kMaxWatchMs);
    std::vector<uint8_t> request{wire::kWatch, static_cast<uint8_t>(knownPresent ? 1 : 0)};
    wire::PutU32(request, knownArrivals);
    wire::PutU32(request, static_cast<uint32_t>(waitMs));
    bool ok = false;
    std::vector<uint8_t> data;
    if (impl_->socket != kNoSocket)
        SetIoTimeout(impl_->socket, waitMs + impl_->timeoutMs);
    const bool exchanged = impl_->Exchange(request, ok, data);
    if (impl_->socket != kNoSocket)
        SetIoTimeout(impl_->socket, impl_->timeoutMs);
    if (!exchanged || !ok || data.size() != 5)
        return false;
    present = data[0] == 1;
    return wire::GetU32(data, 1, arrivals);
}

bool VirtualMouseClient::Control(const std::string& command, std::string& reply) {
    std::vector<uint8_t> request{wire::kControl};
    request.insert(request.end(), command.begin(), command.end());
    bool ok = false;
    std::vector<uint8_t> data;
    if (!impl_->Exchange(request, ok, data))
        return false;
    reply.assign(data.begin(), data.end());
    return ok;
}

}  // namespace vmouse

#pragma once
// A minimal client of the virtual mouse's loopback protocol (see ../WireProtocol.h) for the test
// bus driver, which runs inside Wine's driver host where only C and Winsock are at hand. Every
// call has a deadline: a server that stalls costs a failed call and a dropped connection. The
// header stays free of Winsock and kernel headers, which do not mix.

#include <stdint.h>

typedef struct {
    uintptr_t socket;  // a SOCKET; ~0 when closed
    char address[64];  // "HOST:PORT" of the current connection
} WireLink;

// Starts Winsock for the caller; FALSE (0) when it cannot.
int WireStartup(void);
void WireInit(WireLink* link);
// Connects to "HOST:PORT" unless already connected there; 0 when nothing answers in time.
int WireConnect(WireLink* link, const char* address, int timeoutMs);
void WireClose(WireLink* link);

// One request and its reply. `reply` receives the reply's data after kind and verdict; `ok`
// is the server's verdict. 0 on any transport failure (the link is then closed).
int WireExchange(WireLink* link, const uint8_t* request, uint32_t requestLength, uint8_t* reply,
                 uint32_t replyCapacity, uint32_t* replyLength, int* ok, int timeoutMs);

// Waits up to `waitMs` for presence or arrivals to differ from the known values.
int WireWatch(WireLink* link, int knownPresent, uint32_t knownArrivals, uint32_t waitMs,
              int* present, uint32_t* arrivals);

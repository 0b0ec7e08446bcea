#pragma once
// Client side of the virtual ORVA 7100 served on loopback TCP. Portable (POSIX sockets and
// Winsock), no other dependency, so that every program (the configurator's virtual transport,
// orva7100ctl, the stand-in hiddriver.dll) can link it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vmouse {

// Splits "HOST:PORT"; false when the text is not of that form.
bool ParseHostPort(const std::string& text, std::string& host, uint16_t& port);

// Whether "HOST:PORT" names a server on this machine: 127.0.0.0/8, ::1 or localhost. The
// shipped programs follow ORVA7100_VIRTUAL_MOUSE only to such an address, so the variable can
// never send the mouse's traffic to another machine.
bool IsLoopbackAddress(const std::string& hostPort);

class VirtualMouseClient {
  public:
    VirtualMouseClient();
    ~VirtualMouseClient();
    VirtualMouseClient(const VirtualMouseClient&) = delete;
    VirtualMouseClient& operator=(const VirtualMouseClient&) = delete;

    // Connects to the server at "HOST:PORT"; false when nothing answers there.
    bool Connect(const std::string& hostPort);
    void Disconnect();
    bool IsConnected() const;

    // Whether the virtual mouse is plugged in at this moment. False when the server is gone.
    bool QueryPresent(bool& present);

    // One feature report, byte 0 the report id, `length` its full length. They fail, as the
    // platform's feature-report calls do, while the mouse is unplugged, when the mouse rejects
    // the report, or when the server is gone.
    bool SetFeature(const uint8_t* report, size_t length);
    // On entry report[0] holds the report id; on success the whole report is filled in.
    bool GetFeature(uint8_t* report, size_t length);

    // Presence with the count of arrivals so far (it grows each time the mouse is plugged in).
    bool QueryPresence(bool& present, uint32_t& arrivals);
    // Ties later sets and gets to one arrival: once the mouse has come back since, they fail
    // as a stale handle does. 0 unties them.
    void BindToArrival(uint32_t arrival);
    // Waits up to `waitMs` for the presence or the arrival count to differ from the known
    // values and reports the current ones; false when the server is gone.
    bool WaitForChange(bool knownPresent, uint32_t knownArrivals, int waitMs, bool& present,
                       uint32_t& arrivals);
    // A control command ("plug", "unplug", "switch-profile N", "status", "fault NAME N"); the
    // server's answer lands in `reply`. False when the server refuses it or is gone.
    bool Control(const std::string& command, std::string& reply);
    // Longest wait for any answer, in ms (default 5000). A call that runs out of time fails
    // and drops the connection.
    void SetTimeout(int ms);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vmouse

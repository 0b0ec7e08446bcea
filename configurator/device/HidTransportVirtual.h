#pragma once
// The virtual ORVA 7100 served by orva-virtual-mouse, reached over TCP. It shows as one HID
// interface with the mouse's ids while plugged in; a handle belongs to one arrival and goes
// stale when the mouse comes back, as a real one does. Arrivals and removals come from a
// watcher thread (the server answers a watch as soon as either happens).

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "VirtualMouseClient.h"
#include "device/HidTransport.h"

// The interface name the virtual mouse shows, shaped like a Windows HID interface path.
extern const char16_t kVirtualMousePath[];

class HidTransportVirtual : public HidTransport {
  public:
    explicit HidTransportVirtual(std::string hostPort);
    ~HidTransportVirtual() override;

    std::vector<std::u16string> ListInterfaces() override;
    HidHandle Open(const std::u16string& path) override;
    bool GetIds(HidHandle handle, uint16_t& vendorId, uint16_t& productId) override;
    DeviceResult SetFeature(HidHandle handle, const uint8_t* report, size_t length) override;
    DeviceResult GetFeature(HidHandle handle, uint8_t* report, size_t length) override;
    void Close(HidHandle handle) override;
    std::vector<std::u16string> ProcessNames() override;
    void SetTransferLimit(int ms) override;
    bool StartWatching(ChangeCallback callback) override;
    void StopWatching() override;

    const std::string& Address() const { return hostPort_; }

  private:
    bool EnsureConnected();
    // The cause of a failed transfer that began at `began`.
    DeviceResult WhyFailed(HidHandle handle, std::chrono::steady_clock::time_point began);
    void Watch(ChangeCallback callback);

    std::string hostPort_;
    vmouse::VirtualMouseClient client_;
    std::atomic<bool> stopWatching_{false};
    std::thread watcher_;
};

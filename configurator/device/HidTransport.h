#pragma once
// What the device link needs of the platform: the present HID interfaces, opening one, its
// vendor and product ids, feature reports of a fixed length, and the names of running
// processes. The Windows HID calls, Linux hidraw and the virtual mouse each implement it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device/DeviceResult.h"

using HidHandle = std::intptr_t;
constexpr HidHandle kNoHandle = -1;

// Longest wait for one feature transfer: a mouse that stays connected but does not answer fails
// the transfer after this, as a HID driver's own timeout does, so no command hangs.
constexpr int kFeatureTransferTimeoutMs = 3000;

// Device-change event codes and the one broadcast type examined, as the system numbers them.
constexpr uint32_t kDeviceArrival = 0x8000;
constexpr uint32_t kDeviceRemoveComplete = 0x8004;
constexpr uint32_t kDeviceTypeInterface = 5;

// One device-change notification, taken out of the system's message.
struct DeviceChangeNotice {
    uint32_t event = 0;
    uint32_t deviceType = 0;
    std::u16string interfaceName;
};

class HidTransport {
  public:
    using ChangeCallback = std::function<void(const DeviceChangeNotice&)>;

    virtual ~HidTransport() = default;

    // Paths of the present HID interfaces, in the system's enumeration order.
    virtual std::vector<std::u16string> ListInterfaces() = 0;
    // kNoHandle when the interface cannot be opened for reading and writing.
    virtual HidHandle Open(const std::u16string& path) = 0;
    virtual bool GetIds(HidHandle handle, uint16_t& vendorId, uint16_t& productId) = 0;
    // Byte 0 of the report is its id; `length` is the report's full length. A failure says
    // why: the mouse gone (kNoMouse), refused (kSendFailed), silent past the limit (kTimedOut).
    virtual DeviceResult SetFeature(HidHandle handle, const uint8_t* report, size_t length) = 0;
    // report[0] holds the id on entry; on success the report as read. A reply that cannot be
    // the report asked for is kWrongReply.
    virtual DeviceResult GetFeature(HidHandle handle, uint8_t* report, size_t length) = 0;
    virtual void Close(HidHandle handle) = 0;
    virtual std::vector<std::u16string> ProcessNames() = 0;

    // The longest wait of each following feature transfer.
    virtual void SetTransferLimit(int ms) { transferLimitMs_ = ms; }
    int TransferLimitMs() const { return transferLimitMs_; }

    // Transports whose arrivals and removals do not come as the system's own notifications
    // deliver them here instead, on a thread of their own (the receiver must hand them over to
    // its own thread). False when the system's notifications are the way.
    virtual bool StartWatching(ChangeCallback callback) {
        (void)callback;
        return false;
    }
    virtual void StopWatching() {}

  protected:
    int transferLimitMs_ = kFeatureTransferTimeoutMs;
};

// The names of the running processes, from the platform's process list.
std::vector<std::u16string> ListRunningProcessNames();

#pragma once
// The one handle to the mouse: found among the HID interfaces by vendor and product id,
// opened lazily and dropped when the mouse goes away, so that the next operation searches
// afresh.

#include <cstdint>
#include <string_view>

#include "DeviceClock.h"
#include "HidTransport.h"

constexpr uint16_t kMouseVendorId = 0x04B4;
constexpr uint16_t kMouseProductId = 0x1224;

// Whether a device-interface name belongs to the mouse: "1224" and "04B4" (case-sensitive) each
// occur, the first occurrence of each at position 1 or later.
bool IsMouseInterfaceName(std::u16string_view name);

class DeviceLink {
  public:
    DeviceLink(HidTransport& transport, DeviceClock& clock);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // An open handle to the first interface in enumeration order with the mouse's ids;
    // kNoHandle when there is none. Interfaces that do not open or do not answer are skipped.
    HidHandle FindMouse();
    // True at once when open; otherwise searches and opens.
    bool EnsureOpen();
    // The report through the open handle; false without calling anything when closed.
    bool SendFeature(const uint8_t* report, size_t length);
    bool GetFeature(uint8_t* report, size_t length);
    // Drops the link; the next operation searches again. The stale handle is closed.
    void Invalidate();
    // A process named "Updater.exe" (any letter case) runs: it owns the mouse meanwhile.
    bool IsUpdaterRunning();

    bool IsOpen() const { return isOpen_; }
    HidHandle Handle() const { return handle_; }
    DeviceClock& Clock() { return clock_; }
    HidTransport& Transport() { return transport_; }

  private:
    HidTransport& transport_;
    DeviceClock& clock_;
    HidHandle handle_ = kNoHandle;
    bool isOpen_ = false;
};

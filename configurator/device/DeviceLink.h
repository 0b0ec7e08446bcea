#pragma once
// The one handle to the mouse: found among the HID interfaces by vendor and product id,
// opened lazily and dropped when the mouse goes away, so that the next operation searches
// afresh.

#include <cstdint>
#include <functional>
#include <string_view>

#include "device/DeviceClock.h"
#include "device/HidTransport.h"
#include "device/MouseIdentity.h"

// The longest wait of a transfer nobody asked for (the poll, the reads at start and arrival): a
// healthy mouse answers in a few ms, and a silent one must not hold the window.
constexpr int kUnaskedTransferLimitMs = 150;

// Whether a device-interface name belongs to the mouse: the product and vendor texts
// (case-sensitive) each occur, the first occurrence of each at position 1 or later.
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
    // True at once when open; otherwise searches and opens. False while the link is held.
    bool EnsureOpen();
    // The report through the open handle; kNoMouse without calling anything when closed.
    DeviceResult SendFeature(const uint8_t* report, size_t length);
    DeviceResult GetFeature(uint8_t* report, size_t length);
    // Drops the link; the next operation searches again. The stale handle is closed.
    void Invalidate();
    // A process named "Updater.exe" (any letter case) runs: it owns the mouse meanwhile.
    bool IsUpdaterRunning();

    // Keeps the link closed while `stillHeld` answers true (a firmware updater this program
    // started owns the mouse until it ends): the link is dropped now, and nothing opens it
    // until then. The answer is asked before each open, so it must be cheap.
    void HoldWhile(std::function<bool()> stillHeld);
    bool IsHeld();

    // Counts the open handles found and the transfers the mouse answered: a change tells that
    // the mouse has been heard from since.
    uint64_t Activity() const { return activity_; }
    int TransferLimitMs() const { return transport_.TransferLimitMs(); }
    void SetTransferLimit(int ms) { transport_.SetTransferLimit(ms); }

    bool IsOpen() const { return isOpen_; }
    HidHandle Handle() const { return handle_; }
    DeviceClock& Clock() { return clock_; }
    HidTransport& Transport() { return transport_; }

  private:
    HidTransport& transport_;
    DeviceClock& clock_;
    HidHandle handle_ = kNoHandle;
    bool isOpen_ = false;
    uint64_t activity_ = 0;
    std::function<bool()> heldWhile_;
};

// A shorter wait for each transfer while it lives: exchanges nobody asked for (the poll, the
// reads at start and arrival) give up long before a command the user started, so a mouse that
// stops answering never holds the window for long.
class ScopedTransferLimit {
  public:
    ScopedTransferLimit(DeviceLink& link, int ms) : link_(link), before_(link.TransferLimitMs()) {
        link_.SetTransferLimit(ms);
    }
    ~ScopedTransferLimit() { link_.SetTransferLimit(before_); }
    ScopedTransferLimit(const ScopedTransferLimit&) = delete;
    ScopedTransferLimit& operator=(const ScopedTransferLimit&) = delete;

  private:
    DeviceLink& link_;
    int before_;
};

#pragma once
// What the configurator does when a HID interface arrives or leaves.

#include <optional>

#include "device/DeviceLink.h"

enum class DeviceChangeAction {
    kIgnored,           // not the mouse, another broadcast type or another event
    kLeftToUpdater,     // the mouse arrived while the updater runs: link dropped, not opened
    kArrived,           // the mouse arrived and the link is open
    kArrivedNotOpened,  // the mouse arrived but could not be opened
    kRemoved,           // the mouse left: link dropped
};

struct DeviceChangeResult {
    DeviceChangeAction action = DeviceChangeAction::kIgnored;
    // On arrival, when the device information could be read.
    std::optional<int32_t> firmwareVersion;
};

DeviceChangeResult HandleDeviceChange(DeviceLink& link, const DeviceChangeNotice& notice);

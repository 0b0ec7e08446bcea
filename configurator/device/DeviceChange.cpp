#include "device/DeviceChange.h"

#include "device/MouseCommands.h"

DeviceChangeResult HandleDeviceChange(DeviceLink& link, const DeviceChangeNotice& notice) {
    DeviceChangeResult result;
    if (notice.deviceType != kDeviceTypeInterface || !IsMouseInterfaceName(notice.interfaceName))
        return result;
    if (notice.event == kDeviceArrival) {
        if (link.IsUpdaterRunning()) {
            // The firmware updater owns the mouse while it runs.
            link.Invalidate();
            result.action = DeviceChangeAction::kLeftToUpdater;
            return result;
        }
        if (!link.EnsureOpen()) {
            result.action = DeviceChangeAction::kArrivedNotOpened;
            return result;
        }
        result.action = DeviceChangeAction::kArrived;
        DeviceInfo info;
        if (ReadDeviceInfo(link, info))
            result.firmwareVersion = info.firmwareVersion;
        return result;
    }
    if (notice.event == kDeviceRemoveComplete) {
        link.Invalidate();
        result.action = DeviceChangeAction::kRemoved;
    }
    return result;
}

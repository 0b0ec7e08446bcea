#include "device/MouseApply.h"

#include "device/MouseCommands.h"

const char* ApplyMessageText(ApplyMessage message) {
    switch (message) {
        case ApplyMessage::kNoMouse:
            return "ORVA mouse no found.";
        case ApplyMessage::kSelectFailed:
            return "set current profile id failed.";
        case ApplyMessage::kWriteFailed:
            return "set profile to mcu failed.";
    }
    return "";
}

DeviceResult ApplyToMouse(DeviceLink& link, ProfileSet& profiles, int current,
                          const std::function<void(ApplyMessage, const DeviceResult&)>& report) {
    // A slot out of range is the caller's mistake: nothing is sent.
    if (current < 0 || current >= static_cast<int>(profiles.size()))
        return DeviceFault::kSendFailed;
    if (!link.EnsureOpen()) {
        const DeviceResult missing = TraceDeviceResult("Apply", DeviceFault::kNoMouse);
        report(ApplyMessage::kNoMouse, missing);
        return missing;
    }
    const uint8_t slot = profiles[current].index;
    DeviceResult first;
    const auto failed = [&](ApplyMessage message, const DeviceResult& cause) {
        report(message, cause);
        if (first)
            first = cause;
    };
    if (const DeviceResult selected = SetActiveProfile(link, slot); !selected)
        failed(ApplyMessage::kSelectFailed, selected);
    for (Profile& profile : profiles) {
        if (const DeviceResult written = WriteProfileImage(link, profile); !written) {
            failed(ApplyMessage::kWriteFailed, written);
            break;
        }
    }
    if (const DeviceResult selected = SetActiveProfile(link, slot); !selected)
        failed(ApplyMessage::kSelectFailed, selected);
    return first;
}

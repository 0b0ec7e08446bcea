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

bool ApplyToMouse(DeviceLink& link, ProfileSet& profiles, int current,
                  const std::function<void(ApplyMessage)>& report) {
    if (current < 0 || current >= static_cast<int>(profiles.size()))
        return false;
    if (!link.EnsureOpen()) {
        report(ApplyMessage::kNoMouse);
        return false;
    }
    const uint8_t slot = profiles[current].index;
    bool ok = true;
    if (!SetActiveProfile(link, slot)) {
        report(ApplyMessage::kSelectFailed);
        ok = false;
    }
    for (Profile& profile : profiles) {
        if (!WriteProfileImage(link, profile)) {
            report(ApplyMessage::kWriteFailed);
            ok = false;
            break;
        }
    }
    if (!SetActiveProfile(link, slot)) {
        report(ApplyMessage::kSelectFailed);
        ok = false;
    }
    return ok;
}

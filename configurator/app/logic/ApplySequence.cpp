#include "app/logic/ApplySequence.h"

#include "app/logic/AppTexts.h"
#include "base/TextConvert.h"
#include "device/MouseApply.h"
#include "device/MouseCommands.h"
#include "profiles/ProfileFile.h"
#include "profiles/Storage.h"

namespace {

// Clears the busy flag however the sequence ends.
class BusyScope {
  public:
    explicit BusyScope(int32_t& busy) : busy_(busy) { busy_ = 1; }
    ~BusyScope() { busy_ = 0; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    int32_t& busy_;
};

// The image layout follows the mouse's firmware version, read at start and at each arrival. That
// read gives up early, so a mouse busy at that moment leaves it unknown (0): it is asked now, as
// part of the command, or the images would take the layout of the oldest firmware.
void LearnFirmwareVersion(DeviceLink& link, ProfileSet& profiles) {
    DeviceInfo info;
    if (profiles.front().firmwareVersion != 0 || !link.EnsureOpen() ||
        !ReadDeviceInfo(link, info)) {
        return;
    }
    for (Profile& profile : profiles) {
        profile.firmwareVersion = info.firmwareVersion;
    }
}

}  // namespace

std::u16string SaveFailedText(const std::u16string& path) {
    return u"The profile could not be saved to " + path + u".";
}

std::u16string MacrosNotSavedText(const std::u16string& folder) {
    return u"The macros could not be saved to " + folder + u".";
}

ApplyOutcome RunApply(ApplyHost& host, DeviceLink& link, ProfileSet& profiles, int current,
                      int32_t& busy) {
    BusyScope scope(busy);
    ApplyOutcome outcome;
    host.CollectPages();
    host.ApplyWindowsSettings();
    outcome.filesSaved = true;
    for (const Profile& profile : profiles) {
        if (!SaveProfileFile(profile, profile.filePath)) {
            outcome.filesSaved = false;
            host.ShowMessage(SaveFailedText(profile.filePath.u16string()));
        }
    }
    outcome.macrosSaved = host.SaveMacros();
    if (!outcome.macrosSaved) {
        host.ShowMessage(MacrosNotSavedText(MacroFolder().u16string()));
    }
    // The firmware updater owns the mouse while it runs: writing profiles in the middle of a
    // firmware transfer could leave the mouse without working firmware.
    if (link.IsUpdaterRunning()) {
        link.Invalidate();
        host.ShowMessage(kUpdaterRunningText);
        return outcome;
    }
    LearnFirmwareVersion(link, profiles);
    // The cause of each failure is in the trace already; the user sees the message alone.
    outcome.mouseWritten =
        ApplyToMouse(link, profiles, current, [&host](ApplyMessage message, const DeviceResult&) {
            host.ShowMessage(Utf8ToUtf16(ApplyMessageText(message)));
        }).ok();
    return outcome;
}

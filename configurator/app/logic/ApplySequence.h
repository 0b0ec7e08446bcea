#pragma once
// Apply (and the first half of OK): collect the pages, apply the Windows settings, save the five
// profile files and the macros, then write the mouse. Each failure is shown to the user as it
// happens; only a missing mouse stops the sequence early, and the files are written first.
// While the firmware updater runs, the mouse is left alone.

#include <array>
#include <cstdint>
#include <string>

#include "device/DeviceLink.h"
#include "profiles/Profile.h"

// What Apply needs of the main window.
class ApplyHost {
  public:
    virtual ~ApplyHost() = default;
    virtual void CollectPages() = 0;
    virtual void ApplyWindowsSettings() = 0;
    // The macro page's editor writes the macro folder; false when it could not.
    virtual bool SaveMacros() = 0;
    // A message box with an OK button; returns when the user has closed it.
    virtual void ShowMessage(const std::u16string& text) = 0;
};

struct ApplyOutcome {
    bool filesSaved = false;  // all five profile files
    bool macrosSaved = false;
    bool mouseWritten = false;  // the select, the five images and the select again
};

// `current` is the current profile's slot (0 .. 4). `busy` is set for the whole run, message
// boxes included, so the profile poll keeps off the mouse, and cleared on every way out.
ApplyOutcome RunApply(ApplyHost& host, DeviceLink& link, ProfileSet& profiles, int current,
                      int32_t& busy);

// "The profile could not be saved to <path>."
std::u16string SaveFailedText(const std::u16string& path);
// "The macros could not be saved to <folder>."
std::u16string MacrosNotSavedText(const std::u16string& folder);

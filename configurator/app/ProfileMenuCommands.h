#pragma once
// The four items of a profile button's menu: rename, save in place, export and import. Saving
// or exporting the profile on the pages takes what the pages show (the user asked for the
// current settings, not those of the last collection).

#include <windows.h>

#include <array>

#include "app/logic/ApplySequence.h"
#include "pages/RenameDlg.h"
#include "profiles/Profile.h"

class ProfileMenuCommands {
  public:
    // The pages' edits are collected through `host`, which also shows the messages.
    ProfileMenuCommands(ProfileSet& profiles, ApplyHost& host, ProfileNamer& namer) noexcept
        : profiles_(profiles), host_(host), namer_(namer) {}

    // Runs item `item` (kMenuRename .. kMenuImport) for the profile of `slot` (0 .. 4);
    // `current` is the slot on the pages. True when an import replaced the profile, which
    // must then be shown again.
    bool Run(int slot, int item, int current, HWND owner) noexcept;

  private:
    void SaveInPlace(int slot, int current) noexcept;
    void Export(int slot, int current, HWND owner) noexcept;
    bool Import(int slot, HWND owner) noexcept;

    ProfileSet& profiles_;
    ApplyHost& host_;
    ProfileNamer& namer_;
};

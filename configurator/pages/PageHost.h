#pragma once
// What the settings pages need of the main window that holds them: the profiles, the one link
// to the mouse, the macros of the macro page's editor, and the window to centre pop-ups over.

#include <windows.h>

#include <string>

#include "profiles/Profile.h"

class DeviceLink;
class MacroCollection;

class PageHost {
  public:
    virtual ~PageHost() = default;

    // The profile the pages show and edit.
    virtual Profile& CurrentProfile() noexcept = 0;
    // Profiles 1 .. 5 as slots 0 .. 4.
    virtual Profile& ProfileAt(int slot) noexcept = 0;
    virtual DeviceLink& Link() noexcept = 0;
    // The macros of the macro page's editor, in list order. The mouse page builds its macro
    // sub-menus from them and copies the bound macros into the profile when it collects.
    virtual MacroCollection& Macros() noexcept = 0;
    // The macro page removed or renamed a macro: the mouse page collects into the current
    // profile and shows it again, so buttons bound to a removed macro fall back to defaults.
    virtual void MacrosChanged() noexcept = 0;
    // The main window: owner of message boxes, the window pop-ups are centred over.
    virtual HWND MainWindow() const noexcept = 0;
    // A message box over the main window, titled as all of the program's messages are.
    virtual void ShowMessage(const std::u16string& text) noexcept {
        const std::wstring wide(text.begin(), text.end());
        MessageBoxW(MainWindow(), wide.c_str(), L"ORVA 7100", MB_OK);
    }
};

#pragma once
// MainControls: the main window's own controls: the page buttons, the profile buttons with
// their menus, Reset, OK, Apply, Cancel, minimise, close and the version, placed from the
// window's layout table at the skin's scale. Exactly one page and one profile button is latched.

#include <windows.h>

#include <array>
#include <string>

#include "app/logic/MainWindowLayout.h"
#include "profiles/Profile.h"
#include "skin/ZelButton.h"
#include "skin/ZelComboButton.h"
#include "skin/ZelStatic.h"

class MainControls {
  public:
    // Makes the controls in `parent`, named for screen readers, with the profiles' names on
    // their buttons and `currentSlot` latched. The controls of an earlier layout must be gone.
    void LayOut(HWND parent, const ProfileSet& profiles, int currentSlot) noexcept;
    // Latches the button of the page (or profile) and releases the others.
    void LatchPage(int page) noexcept;
    void LatchProfile(int slot) noexcept;
    void SetProfileCaption(int slot, const std::u16string& name) noexcept;
    CZelComboButton& ProfileMenu(int slot) noexcept;
    // The pages come after the last profile button in the order Tab takes.
    HWND LastProfileButton() const noexcept { return profileButtons_.back().Hwnd(); }

  private:
    std::array<CZelButton, kPageCount> pageButtons_;
    std::array<CZelButton, kProfileCount> profileButtons_;
    std::array<CZelComboButton, kProfileCount> profileMenus_;  // profiles 1 .. 5 in order
    CZelButton reset_;
    CZelButton ok_;
    CZelButton apply_;
    CZelButton cancel_;
    CZelButton minimise_;
    CZelButton close_;
    CZelStatic version_;
};

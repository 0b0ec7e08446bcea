#pragma once
// CMouseSettingsDlg: the mouse page: the seven button slots with their function menus, the
// report rate, double-click time, wheel and acceleration. The rules live in MousePageRules;
// the page wires its controls to them.

#include <array>

#include "pages/PageHost.h"
#include "pages/ProfilePage.h"
#include "pages/logic/MousePageRules.h"
#include "skin/ZelButton.h"
#include "skin/ZelCheckBox.h"
#include "skin/ZelComboButton.h"
#include "pages/PageDialog.h"
#include "skin/ZelSliderCtrl.h"

class CMouseSettingsDlg : public CPageDialog, public ProfilePage {
  public:
    // ProfilePage
    void LoadProfile(Profile& profile) noexcept override { LoadMousePage(profile); }
    void SaveProfile(Profile& profile) noexcept override { SaveMousePage(profile); }

    explicit CMouseSettingsDlg(PageHost& host) noexcept;
    ~CMouseSettingsDlg() override;

    // Shows the profile's settings on the page.
    void LoadMousePage(Profile& profile) noexcept;
    // Writes the page's settings into the profile, with copies of the bound macros.
    void SaveMousePage(Profile& profile) noexcept;
    // Rebuilds the "Macro" sub-menus of the slots from the host's macros, in list order.
    void RefreshMacroSubMenus() noexcept;

  protected:
    bool OnInitDialog() noexcept override;
    bool OnCommand(int id, int code, HWND control) noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;

  private:
    void CreateControls() noexcept override;
    void SetUpSlots() noexcept;
    void SetUpSliders() noexcept;
    void OnSlotChoice(int slot, int choice) noexcept;
    void OnRateBox(int id) noexcept;
    void OnWheelMode(int id) noexcept;
    void OnAccelerationBox() noexcept;
    // Closes the slot's open menu so that no menu stays drawn over a pop-up.
    void CloseSlotMenu(int slot) noexcept;
    MousePageState ReadState() const noexcept;
    void ShowControls(const MouseControls& controls) noexcept;
    int SlotOfId(int id) const noexcept;
    bool IsPageControl(int id) const noexcept;

    PageHost& host_;
    std::array<CZelComboButton, kButtonCount> slots_;
    std::array<CZelButton, kButtonCount> markers_;
    std::array<CZelCheckBox, kRateBoxCount> rateBoxes_;
    CZelSliderCtrl doubleClick_;
    CZelCheckBox wheelLines_;
    CZelCheckBox wheelPage_;
    CZelSliderCtrl scrollSpeed_;
    CZelSliderCtrl acceleration_;
    CZelCheckBox accelerationOn_;
};

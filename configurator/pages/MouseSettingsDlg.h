#pragma once
// CMouseSettingsDlg: the mouse page: the seven button slots with their function menus, the
// report rate, double-click time, wheel and acceleration.

#include "PageHost.h"
#include "ZelImageDialog.h"

class CMouseSettingsDlg : public CZelImageDialog {
  public:
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
    void OnOK() noexcept override {}
    void OnCancel() noexcept override {}

  private:
    PageHost& host_;
};

#pragma once
// CColorSettingsDlg: the colour page: LED zones on, off or selected, and the LED colour.

#include "PageHost.h"
#include "ZelImageDialog.h"

class CColorSettingsDlg : public CZelImageDialog {
  public:
    explicit CColorSettingsDlg(PageHost& host) noexcept;
    ~CColorSettingsDlg() override;

    void LoadColourPage(Profile& profile) noexcept;
    void SaveColourPage(Profile& profile) noexcept;

  protected:
    bool OnInitDialog() noexcept override;
    void OnOK() noexcept override {}
    void OnCancel() noexcept override {}

  private:
    PageHost& host_;
};

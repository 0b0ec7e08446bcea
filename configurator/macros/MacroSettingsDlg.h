#pragma once
// CMacroSettingsDlg: the macro page: the list of macros, the editor of the selected one and
// the recorder.

#include "MacroCollection.h"
#include "PageHost.h"
#include "ZelImageDialog.h"

class CMacroSettingsDlg : public CZelImageDialog {
  public:
    explicit CMacroSettingsDlg(PageHost& host) noexcept;
    ~CMacroSettingsDlg() override;

    // The macros of the editor, in list order; loaded from the macro folder when the page is
    // created.
    MacroCollection& Macros() noexcept;
    // Writes the macro folder; false when it could not be written.
    bool SaveMacros() noexcept;

  protected:
    bool OnInitDialog() noexcept override;
    void OnOK() noexcept override {}
    void OnCancel() noexcept override {}

  private:
    PageHost& host_;
    MacroCollection macros_;
};

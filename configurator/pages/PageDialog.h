#pragma once
// CPageDialog: the base of the main window's pages, skinned child dialogs. Enter and Escape
// reach a page as its OK and Cancel and do nothing there, as on the main window.

#include "skin/ZelImageDialog.h"

class CPageDialog : public CZelImageDialog {
  public:
    using CZelImageDialog::CZelImageDialog;

  protected:
    void OnOK() noexcept override {}
    void OnCancel() noexcept override {}
};

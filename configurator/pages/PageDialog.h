#pragma once
// CPageDialog: the base of the main window's pages, skinned child dialogs. Enter and Escape
// reach a page as its OK and Cancel and do nothing there, as on the main window.

#include <span>

#include "skin/ZelImageDialog.h"
#include "skin/logic/AccessLabel.h"

class CPageDialog : public CZelImageDialog {
  public:
    using CZelImageDialog::CZelImageDialog;

  protected:
    void OnOK() noexcept override {}
    void OnCancel() noexcept override {}

    // The page's skin (its background piece) and outline, then its controls, named for screen
    // readers by `labels`; readers call the page `name`.
    void SetUpPage(int backgroundPiece, std::span<const AccessLabel> labels,
                   const wchar_t* name) noexcept;
    // Creates the page's controls where its layout places them; called by SetUpPage.
    virtual void CreateControls() noexcept = 0;
};

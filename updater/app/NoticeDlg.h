#pragma once
// The updater's modal notices: offers, warnings and results, each a background bitmap that
// carries all the wording plus one or two buttons and the close button.

#include <windows.h>

#include "app/SkinButton.h"
#include "app/SkinnedDialog.h"

enum class NoticeVariant {
    kDriverOffer,
    kUpToDate,
    kUpdateOffer,
    kBackupWarning,
    kFailure,
    kSuccess,
};

class CNoticeDlg : public CSkinnedDialog {
  public:
    // `owner` is the main window, or null for the notices shown before it exists.
    CNoticeDlg(NoticeVariant variant, HWND owner);

    // Shows the notice and waits: IDOK after its OK-role button, IDCANCEL after its cancel-role
    // or close button.
    static INT_PTR Show(NoticeVariant variant, HWND owner);

  private:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog();
    void LayOut() override;
    void OnButton(HWND button);
    void OnDownloadDriver();

    NoticeVariant variant_;
    HWND owner_;
    CSkinButton okButton_;
    CSkinButton cancelButton_;
    CSkinButton closeButton_;
    bool buttonsMade_ = false;
};

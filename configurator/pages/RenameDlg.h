#pragma once
// CRenameDlg: the small modal dialog in which the user types a new name for profile 1 .. 5.
// OK or Enter gives the profile the text as typed (no trimming, empty allowed) and its button
// the same caption at once; Cancel, Close and Escape change nothing.

#include <string>

#include "skin/ZelButton.h"
#include "skin/ZelEdit.h"
#include "skin/ZelImageDialog.h"

// What the dialog needs of the main window.
class ProfileNamer {
  public:
    virtual ~ProfileNamer() = default;
    // Profile `number` (1 .. 5) takes the name, and its button the caption.
    virtual void SetProfileName(int number, const std::u16string& name) noexcept = 0;
};

class CRenameDlg : public CZelImageDialog {
  public:
    // `namer` may be null: OK then only ends the dialog.
    CRenameDlg(int profileNumber, ProfileNamer* namer, HWND parent) noexcept;
    ~CRenameDlg() override;

    // Modal over the parent: 1 after OK, 2 after Cancel or Close.
    INT_PTR Run() noexcept;

  protected:
    bool OnInitDialog() noexcept override;
    bool OnCommand(int id, int code, HWND control) noexcept override;
    void OnOK() noexcept override;

  private:
    void PlaceButton(CZelButton& button, int id) noexcept;
    void CentreOverParent() noexcept;

    int profileNumber_;
    ProfileNamer* namer_;
    HWND parent_;
    CZelButton ok_;
    CZelButton cancel_;
    CZelButton close_;
    CZelEdit name_;
};

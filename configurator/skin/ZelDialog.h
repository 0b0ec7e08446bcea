#pragma once
// CZelDialog: a window made from a dialog template of the program's resources, shown as a child
// page, as a modeless window, or run modally (RunModal returns what EndModal was given).

#include "skin/ZelWnd.h"

// Results of a modal run.
constexpr INT_PTR kDialogOk = 1;
constexpr INT_PTR kDialogCancel = 2;

class CZelDialog : public CZelWnd {
  public:
    explicit CZelDialog(int templateId) noexcept : templateId_(templateId) {}

    // Creates the dialog from its template as a child of (or owned by) `parent`, not shown
    // unless the template says so. OnInitDialog runs before this returns.
    bool Create(HWND parent) noexcept;
    // Creates the dialog owned by `owner`, disables the owner, runs a message loop until
    // EndModal, destroys the window and re-enables the owner. -1 when it cannot be created,
    // and at once when this object already has a window (a run in progress goes on untouched).
    INT_PTR RunModal(HWND owner) noexcept;
    void EndModal(INT_PTR result) noexcept;
    bool IsModal() const noexcept { return modal_; }

    int TemplateId() const noexcept { return templateId_; }
    HWND Item(int id) const noexcept { return GetDlgItem(Hwnd(), id); }

    // A page passes on only NOTIFY_MENU_HIDING: its control ids are also ids of the window it
    // sits on (a slider value reaching the main window could open a profile's rename dialog).
    // A page that has more to tell its parent overrides this.
    bool PassesOn(int code) const noexcept override;

  protected:
    // Runs once the window and its controls exist. Return true to let the system give the
    // keyboard focus to the first control, false after setting the focus yourself.
    virtual bool OnInitDialog() noexcept { return true; }
    // A modal run calls this when nothing waits for the dialog's thread, not even painting:
    // work that can wait goes here. Return true while more is left; once it returns false it
    // is not called again in that run.
    virtual bool OnIdle() noexcept { return false; }
    // IDOK and IDCANCEL (Enter, Escape, the window's close request) end a modal run with 1
    // and 2; pages override these to do nothing.
    virtual void OnOK() noexcept;
    virtual void OnCancel() noexcept;
    bool OnCommand(int id, int code, HWND control) noexcept override;
    void OnWindowGone() noexcept override;

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    int templateId_;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = kDialogCancel;
};

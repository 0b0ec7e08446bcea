#pragma once
// A modal dialog made from a template. The dialog procedure keeps `this` from WM_INITDIALOG on
// and hands every message to HandleMessage; no exception leaves it.

#include <windows.h>

class CDialogBase {
  public:
    virtual ~CDialogBase() = default;
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;

    // Runs the dialog until it ends; its result, or -1 when it could not be made.
    INT_PTR DoModal(HWND owner);
    HWND Handle() const { return window_; }

  protected:
    explicit CDialogBase(int templateId) : templateId_(templateId) {}
    // Returns TRUE for a message handled, FALSE to leave it to the dialog manager.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    void End(INT_PTR result) { EndDialog(window_, result); }

    HWND window_ = nullptr;

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    int templateId_;
};

#include "app/DialogBase.h"

INT_PTR CDialogBase::DoModal(HWND owner) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept {
    CDialogBase* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialogBase*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
    } else {
        self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (self == nullptr)
        return FALSE;
    try {
        const INT_PTR result = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, DWLP_USER, 0);
            self->window_ = nullptr;
        }
        return result;
    } catch (...) {
        // Out of memory inside a handler: the message counts as not handled.
        return FALSE;
    }
}

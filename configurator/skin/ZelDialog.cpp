#include "skin/ZelDialog.h"

INT_PTR CALLBACK CZelDialog::DialogProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam) noexcept {
    // Only the start goes through the dialog procedure: from WM_INITDIALOG on, the dialog
    // window is subclassed and every message reaches HandleMessage first.
    if (msg != WM_INITDIALOG) {
        return FALSE;
    }
    auto* dialog = reinterpret_cast<CZelDialog*>(lParam);
    if (dialog == nullptr || !dialog->AttachDialog(hwnd)) {
        return TRUE;
    }
    return dialog->OnInitDialog() ? TRUE : FALSE;
}

bool CZelDialog::Create(HWND parent) noexcept {
    if (Hwnd() != nullptr) {
        return false;
    }
    ended_ = false;
    HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                   &CZelDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr && Hwnd() == hwnd;
}

INT_PTR CZelDialog::RunModal(HWND owner) noexcept {
    if (Hwnd() != nullptr) {
        return -1;
    }
    modal_ = true;
    result_ = kDialogCancel;
    if (!Create(owner)) {
        modal_ = false;
        return -1;
    }
    // A child page's dialog is owned by its top-level window, which is the one to disable.
    HWND root = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    bool rootWasEnabled = root != nullptr && IsWindowEnabled(root);
    if (rootWasEnabled) {
        EnableWindow(root, FALSE);
    }
    if (!ended_) {
        ShowWindow(Hwnd(), SW_SHOW);
    }
    MSG msg;
    bool idleWork = true;
    while (!ended_) {
        if (idleWork && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            idleWork = OnIdle();
            continue;
        }
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends this run and is passed on to the loop outside.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        if (PreTranslateChain(msg) || (Hwnd() && IsDialogMessageW(Hwnd(), &msg))) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The owner must be enabled before this window goes, or the system activates another
    // program's window.
    if (rootWasEnabled) {
        EnableWindow(root, TRUE);
    }
    if (Hwnd() != nullptr) {
        ShowWindow(Hwnd(), SW_HIDE);
        ::DestroyWindow(Hwnd());
    }
    modal_ = false;
    return result_;
}

void CZelDialog::EndModal(INT_PTR result) noexcept {
    result_ = result;
    ended_ = true;
    // Wake the loop in case nothing else is queued.
    if (Hwnd() != nullptr) {
        PostMessageW(Hwnd(), WM_NULL, 0, 0);
    }
}

bool CZelDialog::PassesOn(int code) const noexcept {
    return code == NOTIFY_MENU_HIDING;
}

void CZelDialog::OnOK() noexcept {
    if (modal_) {
        EndModal(kDialogOk);
    }
}

void CZelDialog::OnCancel() noexcept {
    if (modal_) {
        EndModal(kDialogCancel);
    }
}

bool CZelDialog::OnCommand(int id, int, HWND) noexcept {
    switch (id) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        default:
            return false;
    }
}

void CZelDialog::OnWindowGone() noexcept {
    ended_ = true;
}

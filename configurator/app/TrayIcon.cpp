#include "app/TrayIcon.h"

#include <shellapi.h>

TrayIcon::~TrayIcon() {
    Remove();
}

bool TrayIcon::Add(HWND window, UINT id, UINT callbackMessage, HICON icon,
                   const std::wstring& tip) noexcept {
    data_ = NOTIFYICONDATAW{};
    data_.cbSize = sizeof(data_);
    data_.hWnd = window;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon;
    lstrcpynW(data_.szTip, tip.c_str(), static_cast<int>(sizeof(data_.szTip) / sizeof(wchar_t)));
    return AddAgain();
}

bool TrayIcon::AddAgain() noexcept {
    if (data_.hWnd == nullptr) {
        return false;
    }
    shown_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    return shown_;
}

void TrayIcon::Remove() noexcept {
    if (data_.hWnd != nullptr) {
        Shell_NotifyIconW(NIM_DELETE, &data_);
    }
    shown_ = false;
}

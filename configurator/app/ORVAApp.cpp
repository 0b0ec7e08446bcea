#include "ORVAApp.h"

#include <string>

#include "AppMessages.h"
#include "AppTexts.h"
#include "ORVADlg.h"

namespace {

std::wstring Wide(const char16_t* text) {
    const std::u16string s(text);
    return std::wstring(s.begin(), s.end());
}

}  // namespace

bool CORVAApp::InitInstance() noexcept {
    // A running configurator shows its window; this start then ends at the mutex below.
    if (HWND running = FindWindowW(nullptr, Wide(kMainWindowTitle).c_str())) {
        PostMessageW(running, WM_SHOW_CONFIGURATOR, 0, 0);
    }
    instanceMutex_ = CreateMutexW(nullptr, FALSE, Wide(kInstanceMutexName).c_str());
    if (instanceMutex_ == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) {
        return false;
    }
    // The window holds skin images: it must be gone before the libraries stop, so it lives
    // in this scope only.
    CORVADlg dialog;
    dialog.RunModal(nullptr);
    return false;
}

int CORVAApp::ExitInstance() noexcept {
    if (instanceMutex_ != nullptr) {
        CloseHandle(instanceMutex_);
        instanceMutex_ = nullptr;
    }
    return 0;
}

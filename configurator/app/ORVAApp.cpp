#include "app/ORVAApp.h"

#include <string>

#include "app/AppMessages.h"
#include "app/ORVADlg.h"
#include "app/logic/AppTexts.h"
#include "profiles/Storage.h"

namespace {

std::wstring Wide(const char16_t* text) {
    const std::u16string s(text);
    return std::wstring(s.begin(), s.end());
}

// The running configurator's main window: the top-level window with the title that shows in
// the task bar. A message box or pop-up that happens to carry the same title is passed over.
HWND FindRunningWindow() {
    const std::wstring title = Wide(kMainWindowTitle);
    HWND first = nullptr;
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, title.c_str()); window != nullptr;
         window = FindWindowExW(nullptr, window, nullptr, title.c_str())) {
        if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0) {
            return window;
        }
        if (first == nullptr) {
            first = window;
        }
    }
    return first;
}

}  // namespace

bool CORVAApp::InitInstance() noexcept {
    // A running configurator shows its window; this start then ends at the mutex below.
    if (HWND running = FindRunningWindow()) {
        PostMessageW(running, WM_SHOW_CONFIGURATOR, 0, 0);
    }
    instanceMutex_.Reset(CreateMutexW(nullptr, FALSE, Wide(kInstanceMutexName).c_str()));
    if (!instanceMutex_ || GetLastError() == ERROR_ALREADY_EXISTS) {
        return false;
    }
    // Past the mutex no other configurator runs: the temporary files of saves that a kill cut
    // short can go.
    RemoveStaleSaveLeftovers();
    // The window holds skin images: it must be gone before the libraries stop, so it lives
    // in this scope only.
    CORVADlg dialog;
    dialog.RunModal(nullptr);
    return false;
}

int CORVAApp::ExitInstance() noexcept {
    instanceMutex_.Reset();
    return 0;
}

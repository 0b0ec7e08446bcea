#include "app/MonitorProgram.h"

#include <shellapi.h>

HWND CMonitorProgram::Find() {
    return FindWindowW(nullptr, kWindowTitle);
}

void CMonitorProgram::PostClose() {
    if (HWND window = Find())
        PostMessageW(window, WM_CLOSE, 0, 0);
}

void CMonitorProgram::CloseAndWait() {
    HWND window = Find();
    if (window == nullptr)
        return;
    // A hung monitor must not hang the updater with it.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
    Sleep(1000);
}

void CMonitorProgram::Start(const std::wstring& path) {
    ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOW);
}

#include "MonitorWindow.h"

namespace {

constexpr const wchar_t* kClassName = L"OrvaMouseMonitor";

}  // namespace

bool CMonitorWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0)
        return false;
    // Never shown: the real monitor lives in the notification area.
    window_ = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
    return window_ != nullptr;
}

int CMonitorWindow::Run() {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

LRESULT CALLBACK CMonitorWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

#include "PageTestHost.h"

#include "ui_test_support.h"

CPageTestHost::CPageTestHost() {
    transport.AddUsualInterfaces();
    for (int slot = 0; slot < 5; ++slot) {
        profiles[slot].index = static_cast<uint8_t>(slot);
    }
}

CPageTestHost::~CPageTestHost() {
    DestroyWindow();
}

bool CPageTestHost::Open(int width, int height) {
    if (!CreateCustom(0, L"page test host", WS_POPUP | WS_CLIPCHILDREN, {0, 0, width, height},
                      nullptr, nullptr)) {
        return false;
    }
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

CUser::CUser(std::function<void()> actions)
    : thread_([this, actions = std::move(actions)] {
          actions();
          done_ = true;
      }) {}

CUser::~CUser() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool CUser::WaitUntilDone(int milliseconds) {
    const bool done = PumpUntil([this] { return done_.load(); }, milliseconds);
    if (done && thread_.joinable()) {
        thread_.join();
    }
    return done;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!condition()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) {
            return condition();
        }
        Sleep(20);
    }
    return true;
}

HWND WaitForWindow(const wchar_t* title, int milliseconds) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindWindowW(nullptr, title);
            return found != nullptr && IsWindowVisible(found);
        },
        milliseconds);
    return found;
}

std::wstring ControlText(HWND control) {
    wchar_t text[256] = {};
    SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

bool PointerOver(HWND control) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(control, nullptr);
    auto hovered = [&] { return GetGUIThreadInfo(thread, &info) && info.hwndCapture == control; };
    RECT rect{};
    GetWindowRect(control, &rect);
    MouseMoveTo((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // On the window's own thread its messages must be pumped meanwhile.
    return thread == GetCurrentThreadId() ? PumpUntil(hovered, 3000) : WaitFor(hovered, 3000);
}

void ClickControl(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    // A second click on the same control within the double-click time would be a double click,
    // which a button does not take as a click: a person clicking twice waits that long.
    static HWND lastControl = nullptr;
    static DWORD lastClick = 0;
    const DWORD since = GetTickCount() - lastClick;
    if (control == lastControl && since <= GetDoubleClickTime()) {
        Sleep(GetDoubleClickTime() + 50 - since);
    }
    lastControl = control;
    PointerOver(control);
    MouseLeftDown();
    MouseLeftUp();
    lastClick = GetTickCount();
}

#include "ui_test_support.h"

#include <gtest/gtest.h>

#include "ZelApp.h"

namespace {

// GDI+ and the common controls for the whole test program.
class UiEnvironment : public testing::Environment {
  public:
    void SetUp() override { ASSERT_TRUE(app.StartLibraries()); }
    void TearDown() override { app.StopLibraries(); }

  private:
    class CTestApp : public CZelApp {};
    CTestApp app;
};

const testing::Environment* const kUiEnvironment =
    testing::AddGlobalTestEnvironment(new UiEnvironment);

void Send(INPUT input) {
    SendInput(1, &input, sizeof(INPUT));
    PumpFor(30);
}

}  // namespace

void PumpFor(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    }
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!done()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) {
            return done();
        }
        PumpFor(10);
    }
    return true;
}

void MouseMoveTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates run 0 .. 65535 across the screen; aim at the pixel's centre.
    input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / width);
    input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(input);
}

void MouseLeftDown() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Send(input);
}

void MouseLeftUp() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(input);
}

void ClickAt(int x, int y) {
    MouseMoveTo(x, y);
    MouseLeftDown();
    MouseLeftUp();
}

void KeyDown(WORD virtualKey) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    Send(input);
}

void KeyUp(WORD virtualKey) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(input);
}

bool CNotifyRecorder::Create(const RECT& rect) {
    // Shown without activation: Wine without a window manager takes two seconds to destroy an
    // active top-level window.
    if (!CreateCustom(0, L"notify", WS_POPUP, rect, nullptr, nullptr)) {
        return false;
    }
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

bool CNotifyRecorder::OnControlNotification(int code, LPARAM value) noexcept {
    received.emplace_back(code, value);
    return true;
}

std::vector<std::pair<int, LPARAM>> CNotifyRecorder::Commands() const {
    std::vector<std::pair<int, LPARAM>> commands;
    for (const auto& entry : received) {
        if (entry.first != NOTIFY_MENU_HIDING) {
            commands.push_back(entry);
        }
    }
    return commands;
}

POINT ToScreen(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return point;
}

#include "PageTestHost.h"

#include "ui_test_support.h"

CPageTestHost::CPageTestHost(Mouse mouse) {
    if (mouse == Mouse::kPresent) {
        transport.AddUsualInterfaces();
    }
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

void CPageTestHost::PlacePage(CZelWnd& page) {
    RECT client = page.ClientRect();
    page.Move(9, 9, client.right, client.bottom);
    page.Show(true);
}

bool CPageTestHost::OnControlNotification(int code, LPARAM value) noexcept {
    passedOn.emplace_back(code, value);
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

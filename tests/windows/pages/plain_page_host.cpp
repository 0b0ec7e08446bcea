#include "plain_page_host.h"

#include <functional>

namespace {

std::function<void()> pendingAction;

DWORD pendingDeadline = 0;

HWND FindDialog();

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR id, DWORD) {
    // Wait for the modal window; give up after the deadline.
    if (FindDialog() == nullptr && static_cast<LONG>(pendingDeadline - GetTickCount()) > 0) {
        return;
    }
    KillTimer(nullptr, id);
    std::function<void()> action = std::move(pendingAction);
    pendingAction = nullptr;
    if (action) {
        action();
    }
}

struct ClassSearch {
    const wchar_t* className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchClass(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ClassSearch*>(param);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (IsWindowVisible(hwnd) && lstrcmpiW(name, search->className) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialog() {
    return FindThreadWindow(L"#32770");
}

}  // namespace

CPlainPageHost::CPlainPageHost() : link(transport, clock) {
    for (int slot = 0; slot < 5; ++slot) {
        profiles[slot].index = static_cast<uint8_t>(slot);
    }
}

CPlainPageHost::~CPlainPageHost() {
    DestroyWindow();
}

bool CPlainPageHost::Open() {
    const RECT rect{0, 0, 800, 360};
    if (!CreateCustom(0, L"page host", WS_POPUP | WS_CLIPCHILDREN, rect, nullptr, nullptr)) {
        return false;
    }
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

void CPlainPageHost::PlacePage(CZelWnd& page) {
    RECT client = page.ClientRect();
    page.Move(9, 9, client.right, client.bottom);
    page.Show(true);
}

bool CPlainPageHost::OnControlNotification(int code, LPARAM value) noexcept {
    passedOn.emplace_back(code, value);
    return true;
}

void WhenModal(std::function<void()> action, UINT period) {
    pendingAction = std::move(action);
    pendingDeadline = GetTickCount() + 10000;
    SetTimer(nullptr, 0, period, RunPendingAction);
}

HWND FindThreadWindow(const wchar_t* className) {
    ClassSearch search{className};
    EnumThreadWindows(GetCurrentThreadId(), MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

#include "plain_page_host.h"

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

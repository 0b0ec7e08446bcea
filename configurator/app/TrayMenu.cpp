#include "app/TrayMenu.h"

#include <cstdint>
#include <string>

#include "app/logic/AppTexts.h"
#include "skin/SkinImages.h"

namespace {

// The menu's rectangle (96-DPI pixels) when it is created; only its width lasts.
constexpr PixelRect kTrayMenuRect{0, 0, 105, 10};

std::wstring Wide(const char16_t* text) {
    const std::u16string s(text);
    return std::wstring(s.begin(), s.end());
}

}  // namespace

void TrayMenu::Open(HWND owner) noexcept {
    if (!menu_) {
        auto menu = std::make_unique<CZelMenu>();
        const int32_t id = static_cast<int32_t>(GetTickCount());
        if (!menu->Create(L"menu", ScaledRect(kTrayMenuRect), owner, id)) {
            return;
        }
        menu->AddItem(kTrayConfig, Wide(kTrayConfigItem));
        menu->AddItem(kTrayExit, Wide(kTrayExitItem));
        menu_ = std::move(menu);
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    SetWindowPos(menu_->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The menu opens above and left of the pointer, as from a task bar at the bottom; where
    // that would leave the screen (a task bar at the top or left), below and right of it.
    menu_->LayoutItems();
    const RECT menu = menu_->RectInParent();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    int anchor = CZelMenu::kBottomRight;
    if (GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor) &&
        (pointer.x - (menu.right - menu.left) < monitor.rcWork.left ||
         pointer.y - (menu.bottom - menu.top) < monitor.rcWork.top)) {
        anchor = CZelMenu::kTopLeft;
    }
    menu_->PopupAt(pointer.x, pointer.y, anchor);
}

#pragma once
// The tray icon's menu, "Config Mouse" and "Exit": made on the first right click and opened at
// the pointer, on the side of it where it fits on the screen.

#include <windows.h>

#include <memory>

#include "skin/ZelMenu.h"

class TrayMenu {
  public:
    // Opens the menu at the pointer; its choice reaches `owner` as the menu's notification.
    void Open(HWND owner) noexcept;
    // Whether a control notification's code is this menu's.
    bool IsFrom(int code) const noexcept { return menu_ && code == menu_->Id(); }
    // The display scale changed: the menu is made again, at the new one, when next opened.
    void Drop() noexcept { menu_.reset(); }

  private:
    std::unique_ptr<CZelMenu> menu_;
};

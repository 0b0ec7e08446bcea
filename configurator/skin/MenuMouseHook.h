#pragma once
// The popup menus' process-wide low-level mouse hook. While a menu is open the hook posts
// WM_HOOK_EVENT (mouse message, 0) for every mouse message but moves and wheel turns to the
// deepest open menu level, which closes the menu on a press outside it. Only the user-interface
// thread touches the slot.

#include <windows.h>

#include "skin/HookEvent.h"

// Makes `target` the level the hook reports to, installing the hook when none is. False when the
// hook cannot be installed (the menu then stays open on presses outside).
bool SetMenuHookTarget(HWND target) noexcept;
void RemoveMenuHook() noexcept;
bool IsMenuHookInstalled() noexcept;
HWND MenuHookTarget() noexcept;

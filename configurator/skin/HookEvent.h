#pragma once
// The message the low-level hooks post to their target window. The keyboard hook and the popup
// menus' mouse hook share it; a window is the target of only one of them.

#include <windows.h>

constexpr UINT WM_HOOK_EVENT = 0x04A8;

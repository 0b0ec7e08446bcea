#pragma once
// The process-wide keyboard hook slot. Every key press and release on the desktop is posted to
// each target window as WM_HOOK_EVENT (virtual-key code, 0x80 when released or 0 when pressed).
// Each target holds a hook of its own, so a key-capture pop-up opened during a recording does
// not cut the recording off, and removing one client's hook leaves the other's alone.
// Only the user-interface thread touches the slot.

#include <windows.h>

#include "skin/HookEvent.h"

// Clients that may hold a hook at the same time.
constexpr int kKeyboardHookClients = 4;

// Installs a low-level keyboard hook reporting to `target`. A target that already holds one
// keeps it. False when the system refuses the hook or every client place is taken.
bool InstallKeyboardHook(HWND target) noexcept;
// Removes the hook held for `target`; nothing when it holds none.
void RemoveKeyboardHook(HWND target) noexcept;
// Removes every hook still installed (at the end of the program).
void RemoveAllKeyboardHooks() noexcept;
// Hooks currently installed.
int InstalledKeyboardHookCount() noexcept;

#pragma once
// Control notifications: how a skinned control tells its parent what happened (a menu item
// chosen, a slider moved). They travel as a marked WM_SYSCOMMAND sent within the thread, so a
// notification code can never be taken for a real system command, nor the other way round.

#include <windows.h>

// Notification code of a popup menu hiding (value 1 before, 0 after a level hides).
constexpr int NOTIFY_MENU_HIDING = 2234;

// Sends a control notification (code, value) synchronously to `target`: the system-command
// message with the code as first and the value as second parameter. Returns the target's answer.
// The send is marked, so that the receiver never takes it for a real system command whatever
// the code; only windows of the calling thread can be told (0 otherwise, nothing sent).
LRESULT ControlNotification(HWND target, int code, LPARAM value) noexcept;
// Inside a window procedure: whether the WM_SYSCOMMAND (hwnd, wParam) being handled is a
// ControlNotification. Takes the mark, so a real system command sent meanwhile stays real.
bool TakeControlNotificationMark(HWND hwnd, WPARAM wParam) noexcept;

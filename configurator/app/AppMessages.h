#pragma once
// Private messages of the main window.

#include <windows.h>

// The shell reports a mouse message on the tray icon (lParam).
constexpr UINT WM_TRAY_ICON = 0x07EB;
// A second start of the program asks the running one to show its window.
constexpr UINT WM_SHOW_CONFIGURATOR = 0x07EC;
// The transport's watcher thread has queued an arrival or removal (no parameters: the window
// takes what its own queue holds).
constexpr UINT WM_DEVICE_NOTICE = WM_APP + 1;
// A profile menu's choice, run after the menu has closed (wParam: slot 0 .. 4, lParam: item).
constexpr UINT WM_PROFILE_MENU = WM_APP + 2;

// The profile poll's timer.
constexpr UINT_PTR PROFILE_POLL_TIMER = 1;
constexpr UINT kProfilePollMs = 500;

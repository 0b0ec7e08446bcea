#pragma once
// Messages the transfer worker posts to the update window.

#include <windows.h>

// wParam: index of the block just sent.
constexpr UINT WM_FW_PROGRESS = 0x0590;
// lParam: nonzero when the transfer succeeded.
constexpr UINT WM_FW_DONE = 0x0592;

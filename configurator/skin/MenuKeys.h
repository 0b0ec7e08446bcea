#pragma once
// The popup menu from the keyboard, as the system's menus are driven: Up and Down light the
// previous or next item of the deepest open level, Home and End its first and last; Right, Enter
// and Space on an item with a sub-menu open it with its first item lit; Enter and Space on
// another item choose it as a click does; Left and Escape close the deepest sub-menu, Escape on
// the top level closes the menu; Tab, Alt, F4 and Alt+Up or Alt+Down close it too.

#include <windows.h>

class CZelMenu;

// A key pressed while the menu whose top level is `top` is open (Alt held: `alt`, held down:
// `repeat`); true when it was used.
bool HandleMenuKey(CZelMenu& top, UINT key, bool alt, bool repeat) noexcept;

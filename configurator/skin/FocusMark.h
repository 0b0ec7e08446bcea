#pragma once
// Keyboard focus on the skinned controls: which kinds of control take it, when the focus mark is
// shown, and the mark itself. The mark appears, as the system's focus rectangles do, once the
// user moves through a window with the keyboard: a window driven by the mouse keeps its look.

#include <windows.h>

#include "skin/logic/ControlKind.h"

// Whether controls of this kind are tab stops: buttons, check boxes, drop-down buttons, sliders
// and list boxes.
bool TakesKeyboardFocus(ControlKind kind) noexcept;

// Seen by the framework's message loops for every message before dispatch: a navigation key
// (Tab, an arrow, Alt) turns the focus mark on for the message's top-level window.
void NoteKeyboardUse(const MSG& msg) noexcept;
// Whether the focus mark is on in the window's top-level window.
bool FocusCuesShown(HWND window) noexcept;

// Draws the focus mark over a painting of `window` of width x height pixels, whose top-left
// corner is (x, y) of `dc`, when the window is a control that takes the focus, has it, and the
// mark is on; otherwise draws nothing.
void DrawFocusMarkIfFocused(HWND window, HDC dc, int x, int y, int width, int height) noexcept;

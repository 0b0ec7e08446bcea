#pragma once
// Bitmap resources of the program, their sizes, and the art for a window's display scale.

#include <windows.h>

#include <string>

// The bitmap resource `id` as a device-independent section; null when it is missing.
HBITMAP LoadBitmapResource(int id);
// Width and height of a bitmap; 0 x 0 for none.
SIZE BitmapSize(HBITMAP bitmap);
// Width and height of the bitmap resource `id` as drawn for 96 DPI, read from its header
// without decoding it; 0 x 0 when it is missing.
SIZE BitmapResourceSize(int id);
// Bitmap `id` for a window at `dpi`, `size` pixels big: the art drawn for that scale, or the
// nearest larger art (or, missing that, the 100 % art) resized with a smoothing filter. At 96
// DPI it is LoadBitmapResource(id). Null when the bitmap is missing.
HBITMAP LoadBitmapForDpi(int id, UINT dpi, SIZE size);
// The DPI the window is laid out at: its own on systems with per-monitor scaling, else the
// system's.
UINT WindowDpi(HWND window);
// The program's folder with its trailing backslash, worked out from its own path.
std::wstring ProgramFolder();

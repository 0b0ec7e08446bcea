#pragma once
// Bitmap resources of the program and their sizes.

#include <windows.h>

#include <string>

// The bitmap resource `id` as a device-independent section; null when it is missing.
HBITMAP LoadBitmapResource(int id);
// Width and height of a bitmap; 0 x 0 for none.
SIZE BitmapSize(HBITMAP bitmap);
// The program's folder with its trailing backslash, worked out from its own path.
std::wstring ProgramFolder();

#pragma once
// Profiles and macros hold UTF-16 text; the menus and controls hold wide strings, which are
// UTF-16 on Windows and UTF-32 in the native test builds.

#include <string>

std::wstring WideFromUtf16(const std::u16string& text);

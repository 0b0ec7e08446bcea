#pragma once
// Conversions at the edges: files and the mouse hold UTF-16, terminals and JSON hold UTF-8.

#include <string>

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);
// Invalid sequences become U+FFFD.
std::u16string Utf8ToUtf16(const std::string& text);

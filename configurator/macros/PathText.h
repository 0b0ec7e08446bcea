#pragma once
// Paths as the macro files store them (UTF-16 text) and as the file system takes them.

#include <filesystem>
#include <string>

// Never throws: text that the system cannot represent is replaced, not refused.
std::filesystem::path PathFromText(const std::u16string& text);
std::u16string TextFromPath(const std::filesystem::path& path);

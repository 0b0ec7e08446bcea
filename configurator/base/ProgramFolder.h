#pragma once
// Where the running program is: its folder, read at any path length.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// The folder of the running executable; empty when it cannot be told.
std::filesystem::path ApplicationFolder();
// Reads a text of unknown length through a call with GetModuleFileNameW's contract: it copies at
// most `size` units and returns how many, `size` itself when the text was cut, 0 on failure. The
// buffer grows until the text fits; empty on failure or beyond the system's longest path.
std::u16string ReadGrowingText(
    const std::function<uint32_t(char16_t* buffer, uint32_t size)>& query);
// Cuts a full executable path before its last separator; empty when it holds none.
std::filesystem::path FolderOfExecutablePath(const std::filesystem::path& executable);

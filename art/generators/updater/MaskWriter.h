#pragma once
// 1-bit-per-pixel BMP files, for the window-shape masks.

#include <filesystem>

// Writes a width x height 1-bit BMP (palette black, white) with every pixel black.
bool WriteBlackMask(const std::filesystem::path& path, int width, int height);

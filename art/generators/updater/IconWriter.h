#pragma once
// Icon files (.ico) with one 32-bit image taken from a canvas.

#include <filesystem>

#include "Canvas.h"

// Writes the canvas (at most 256 x 256) as a one-image icon, fully opaque.
bool WriteIcon(const std::filesystem::path& path, const orva::art::Canvas& canvas);

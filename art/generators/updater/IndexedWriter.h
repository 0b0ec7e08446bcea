#pragma once
// 8-bit BMP files with a palette of the picture's own colours: a third of the 24-bit size, with
// the same pixels. The updater carries its art at every scale inside its program file, and its
// backgrounds, grey on black, have far fewer than 256 colours.

#include <filesystem>

#include "Canvas.h"

// Writes the canvas as an uncompressed bottom-up 8-bit BMP. False, and no file, when it has
// more than 256 colours or the file cannot be written.
bool WriteIndexedBmp(const orva::art::Canvas& canvas, const std::filesystem::path& path);

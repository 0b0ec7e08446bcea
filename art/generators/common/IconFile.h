#pragma once
// Icon files (.ico) holding several sizes of one picture, each a 32-bit image with its own
// alpha channel taken from a coverage canvas (white = opaque).

#include <filesystem>
#include <vector>

#include "Canvas.h"

namespace orva::art {

struct IconImage {
    Canvas colour;    // the picture
    Canvas coverage;  // the same size; its red channel is the opacity
};

// The bytes of an icon file with the images in the order given (each at most 256 x 256).
// Empty when an image is too large or its two canvases differ in size.
std::vector<uint8_t> EncodeIconFile(const std::vector<IconImage>& images);
bool WriteIconFile(const std::filesystem::path& path, const std::vector<IconImage>& images);

}  // namespace orva::art

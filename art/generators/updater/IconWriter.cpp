#include "IconWriter.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "LittleEndian.h"

using orva::art::Put16;
using orva::art::Put32;

bool WriteIcon(const std::filesystem::path& path, const orva::art::Canvas& canvas) {
    const int width = canvas.Width();
    const int height = canvas.Height();
    if (width <= 0 || height <= 0 || width > 256 || height > 256)
        return false;
    const uint32_t maskRow = ((static_cast<uint32_t>(width) + 31) / 32) * 4;
    const uint32_t imageBytes = 40 + static_cast<uint32_t>(width * height * 4) + maskRow * height;
    std::vector<uint8_t> out;
    // Directory: one image.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(static_cast<uint8_t>(width == 256 ? 0 : width));
    out.push_back(static_cast<uint8_t>(height == 256 ? 0 : height));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, imageBytes);
    Put32(out, 6 + 16);
    // The image: a bitmap header whose height counts the colour rows and the mask rows.
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(width * height * 4));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const orva::art::Rgb pixel = canvas.Pixel(x, y);
            out.push_back(pixel.b);
            out.push_back(pixel.g);
            out.push_back(pixel.r);
            out.push_back(0xFF);
        }
    }
    out.resize(out.size() + maskRow * height, 0);  // all opaque
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

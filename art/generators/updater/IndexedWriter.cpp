#include "IndexedWriter.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <vector>

#include "LittleEndian.h"

using orva::art::Put32;
using orva::art::Rgb;

namespace {

uint32_t Key(Rgb colour) {
    return (uint32_t{colour.r} << 16) | (uint32_t{colour.g} << 8) | colour.b;
}

}  // namespace

bool WriteIndexedBmp(const orva::art::Canvas& canvas, const std::filesystem::path& path) {
    const int width = canvas.PixelWidth();
    const int height = canvas.PixelHeight();
    std::map<uint32_t, uint8_t> palette;  // colour -> index, in colour order
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            palette.emplace(Key(canvas.Pixel(x, y)), 0);
            if (palette.size() > 256)
                return false;
        }
    }
    uint8_t next = 0;
    for (auto& entry : palette)
        entry.second = next++;

    const uint32_t rowBytes = (static_cast<uint32_t>(width) + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    const uint32_t headerBytes = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
    std::vector<uint8_t> out;
    out.reserve(headerBytes + pixelBytes);
    orva::art::PutPalettedBmpHeaders(out, width, height, 8, static_cast<uint32_t>(palette.size()),
                                     pixelBytes);
    for (const auto& entry : palette)
        Put32(out, entry.first);  // 00RRGGBB: blue, green, red, 0 in the file
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            out.push_back(palette.at(Key(canvas.Pixel(x, y))));
        out.resize(out.size() + (rowBytes - static_cast<uint32_t>(width)), 0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

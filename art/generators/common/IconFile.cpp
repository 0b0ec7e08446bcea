#include "IconFile.h"

#include <cstdint>
#include <fstream>

#include "LittleEndian.h"

namespace orva::art {

namespace {

// One image as the icon format stores it: a bitmap header whose height counts the colour rows
// and the mask rows, bottom-up BGRA rows, then the 1-bit mask (set where fully transparent,
// for programs that ignore the alpha channel).
std::vector<uint8_t> EncodeImage(const IconImage& image) {
    const int width = image.colour.Width();
    const int height = image.colour.Height();
    const uint32_t maskRow = ((static_cast<uint32_t>(width) + 31) / 32) * 4;
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(width * height * 4));
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0);
    }
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb pixel = image.colour.Pixel(x, y);
            out.push_back(pixel.b);
            out.push_back(pixel.g);
            out.push_back(pixel.r);
            out.push_back(image.coverage.Pixel(x, y).r);
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskRow, 0);
        for (int x = 0; x < width; ++x) {
            if (image.coverage.Pixel(x, y).r == 0) {
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeIconFile(const std::vector<IconImage>& images) {
    std::vector<std::vector<uint8_t>> encoded;
    for (const IconImage& image : images) {
        const int width = image.colour.Width();
        const int height = image.colour.Height();
        if (width <= 0 || height <= 0 || width > 256 || height > 256 ||
            image.coverage.Width() != width || image.coverage.Height() != height) {
            return {};
        }
        encoded.push_back(EncodeImage(image));
    }
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // an icon
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int width = images[i].colour.Width();
        const int height = images[i].colour.Height();
        out.push_back(static_cast<uint8_t>(width == 256 ? 0 : width));
        out.push_back(static_cast<uint8_t>(height == 256 ? 0 : height));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);   // planes
        Put16(out, 32);  // bits per pixel
        Put32(out, static_cast<uint32_t>(encoded[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(encoded[i].size());
    }
    for (const std::vector<uint8_t>& image : encoded) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

bool WriteIconFile(const std::filesystem::path& path, const std::vector<IconImage>& images) {
    const std::vector<uint8_t> bytes = EncodeIconFile(images);
    if (bytes.empty()) {
        return false;
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace orva::art

#include "MaskWriter.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "LittleEndian.h"

using orva::art::Put16;
using orva::art::Put32;

bool WriteBlackMask(const std::filesystem::path& path, int width, int height) {
    const uint32_t rowBytes = ((static_cast<uint32_t>(width) + 31) / 32) * 4;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    const uint32_t headerBytes = 14 + 40 + 8;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, headerBytes + pixelBytes);
    Put32(out, 0);
    Put32(out, headerBytes);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);  // planes
    Put16(out, 1);  // bits per pixel
    Put32(out, 0);  // uncompressed
    Put32(out, pixelBytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 2);  // palette entries
    Put32(out, 0);
    Put32(out, 0x00000000);  // index 0: black
    Put32(out, 0x00FFFFFF);  // index 1: white
    out.resize(out.size() + pixelBytes, 0);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

#include "MaskWriter.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "LittleEndian.h"

using orva::art::Put32;

bool WriteBlackMask(const std::filesystem::path& path, int width, int height) {
    const uint32_t rowBytes = ((static_cast<uint32_t>(width) + 31) / 32) * 4;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    std::vector<uint8_t> out;
    orva::art::PutPalettedBmpHeaders(out, width, height, 1, 2, pixelBytes);
    Put32(out, 0x00000000);  // index 0: black
    Put32(out, 0x00FFFFFF);  // index 1: white
    out.resize(out.size() + pixelBytes, 0);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

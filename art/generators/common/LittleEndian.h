#pragma once
// Little-endian fields of the bitmap and icon files the generators write.

#include <cstdint>
#include <vector>

namespace orva::art {

inline void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// The file and information headers of a bottom-up, uncompressed paletted bitmap at 72 dpi whose
// palette of `colours` entries and `pixelBytes` of rows follow.
inline void PutPalettedBmpHeaders(std::vector<uint8_t>& out, int width, int height,
                                  uint16_t bitsPerPixel, uint32_t colours, uint32_t pixelBytes) {
    const uint32_t headerBytes = 14 + 40 + 4 * colours;
    out.push_back('B');
    out.push_back('M');
    Put32(out, headerBytes + pixelBytes);
    Put32(out, 0);
    Put32(out, headerBytes);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // positive: rows bottom-up
    Put16(out, 1);                              // planes
    Put16(out, bitsPerPixel);
    Put32(out, 0);  // uncompressed
    Put32(out, pixelBytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, colours);
    Put32(out, 0);
}

}  // namespace orva::art

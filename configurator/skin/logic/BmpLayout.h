#pragma once
// Where the pixels of a skin sheet lie in its file. The shipped sheets are uncompressed 24-bit
// bitmaps, whose rows are already the layout of a 24-bit GDI+ bitmap: the configurator copies
// them straight in instead of starting the system's image decoders. Any other kind of file is
// left to those decoders.

#include <cstddef>
#include <cstdint>

struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;      // rows stored top row first (a negative height in the file)
    uint32_t rowBytes = 0;     // bytes of one stored row, padded to four
    uint32_t pixelOffset = 0;  // where the first stored row starts
};

// Reads the headers of an uncompressed 24-bit bitmap file from its first `available` bytes and
// checks that every row lies inside the file's `fileSize` bytes. False for anything else: other
// depths, compression, palettes, damaged or truncated files, and pictures over 16384 pixels a
// side.
bool ReadBmpLayout(const uint8_t* data, size_t available, uint64_t fileSize,
                   BmpLayout& layout) noexcept;

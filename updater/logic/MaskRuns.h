#pragma once
// Turns a mask image into the rectangles of its opaque pixels, one rectangle per run of
// opaque pixels in a row, for building a window region.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct MaskRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const MaskRect&) const = default;
};

class MaskRuns {
  public:
    // The region is built from this many rectangles at a time, so a large mask never needs
    // one huge region description.
    static constexpr size_t kBatchRects = 2000;
    // The rectangle buffer grows by this many at a time.
    static constexpr size_t kGrowRects = 100;

    // `pixels` holds `height` rows of `width` 32-bit pixels, top row first, bytes in memory
    // order b0 b1 b2 x. A pixel is transparent when each of b0..b2 lies between the matching
    // byte of `key` (a 0x00BBGGRR colour, lowest byte first) and that byte plus the matching
    // byte of `tolerance`, capped at 255. Returns false (and no rectangles) when the pixel
    // buffer is smaller than width x height.
    static bool Collect(std::span<const uint8_t> pixels, int width, int height, uint32_t key,
                        uint32_t tolerance, std::vector<MaskRect>& rects);
};

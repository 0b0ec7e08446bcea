#include "logic/MaskRuns.h"

#include <algorithm>

bool MaskRuns::Collect(std::span<const uint8_t> pixels, int width, int height, uint32_t key,
                       uint32_t tolerance, std::vector<MaskRect>& rects) {
    rects.clear();
    if (width < 0 || height < 0 ||
        pixels.size() / 4 / std::max(1, width) < static_cast<size_t>(height))
        return false;
    uint8_t low[3];
    uint8_t high[3];
    for (int i = 0; i < 3; ++i) {
        low[i] = static_cast<uint8_t>(key >> (8 * i));
        high[i] =
            static_cast<uint8_t>(std::min<uint32_t>(255, low[i] + ((tolerance >> (8 * i)) & 0xFF)));
    }
    auto transparent = [&](const uint8_t* p) {
        return p[0] >= low[0] && p[0] <= high[0] && p[1] >= low[1] && p[1] <= high[1] &&
               p[2] >= low[2] && p[2] <= high[2];
    };
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels.data() + static_cast<size_t>(y) * width * 4;
        int x = 0;
        while (x < width) {
            while (x < width && transparent(row + 4 * x))
                ++x;
            const int start = x;
            while (x < width && !transparent(row + 4 * x))
                ++x;
            if (x > start) {
                if (rects.size() == rects.capacity())
                    rects.reserve(rects.capacity() + kGrowRects);
                rects.push_back({start, y, x, y + 1});
            }
        }
    }
    return true;
}

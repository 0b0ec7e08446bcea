#pragma once
// A rectangle in client pixels: left and top inclusive, right and bottom exclusive. Plain so that
// the control arithmetic stays free of window types.

#include <cstdint>

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    void Offset(int32_t dx, int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool operator==(const PixelRect&) const = default;
};

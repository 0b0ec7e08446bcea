#pragma once
// A rectangle in a control's client pixels: left and top inclusive, right and bottom exclusive.
// Plain on purpose so that the portable model stays free of window types.

#include <cstdint>

struct MacroRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool operator==(const MacroRect&) const = default;
};

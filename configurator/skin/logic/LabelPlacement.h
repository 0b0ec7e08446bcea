#pragma once
// Where DrawLabel puts one line of text of a measured size in its rectangle. Portable.

#include <cstdint>

struct LabelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct LabelPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// The text's top-left corner. Centring divides by two truncating toward zero, so a text wider
// than its rectangle starts left of it by half the excess.
LabelPoint PlaceLabel(const LabelRect& rect, int32_t textWidth, int32_t textHeight,
                      bool centreHorizontally, bool centreVertically);

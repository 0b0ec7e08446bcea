#pragma once
// One row of a window's layout table: a control's id, its rectangle in the window's client
// pixels and the skin piece its images are cut from (-1 for none). Each window keeps its table
// in one header that the window, the art generator and the tests all read, so that no rectangle
// is written twice. Header-only and free of window types.

#include <cstdint>

#include "skin/logic/PixelRect.h"

struct ControlPlace {
    int id = 0;
    PixelRect rect;
    int piece = -1;
};

// A row from the left, top, width and height the layouts are written in.
constexpr ControlPlace Place(int id, int32_t x, int32_t y, int32_t width, int32_t height,
                             int piece = -1) {
    return ControlPlace{id, PixelRect{x, y, x + width, y + height}, piece};
}

// The row of a control id in a table, or null.
template <typename Table>
constexpr const ControlPlace* FindPlace(const Table& table, int id) {
    for (const ControlPlace& place : table) {
        if (place.id == id) {
            return &place;
        }
    }
    return nullptr;
}

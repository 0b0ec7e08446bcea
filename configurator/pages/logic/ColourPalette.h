#pragma once
// The 24 colours of the colour page's palette, shared by the page and the art generator.

#include <array>
#include <cstdint>

constexpr int kPaletteRows = 4;
constexpr int kPaletteColumns = 6;
constexpr int kPaletteSize = kPaletteRows * kPaletteColumns;

struct PaletteColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// Row by row, six to a row, as the buttons "11" .. "46" show them.
inline constexpr std::array<PaletteColour, kPaletteSize> kPalette = {{
    {0, 90, 0},    {6, 242, 6},   {94, 255, 0},  {180, 255, 5},  {255, 255, 5},   {255, 202, 2},
    {255, 154, 0}, {255, 90, 0},  {255, 43, 3},  {251, 34, 101}, {255, 44, 62},   {229, 1, 1},
    {255, 0, 64},  {255, 0, 11},  {160, 0, 120}, {153, 0, 252},  {96, 0, 255},    {40, 0, 200},
    {0, 0, 150},   {15, 15, 200}, {14, 71, 255}, {0, 255, 255},  {103, 254, 216}, {171, 255, 216},
}};

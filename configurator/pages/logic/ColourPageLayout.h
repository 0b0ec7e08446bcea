#pragma once
// Where the colour page places its controls and which skin pieces they are cut from, in the
// order the page creates them. Read by the page, its tests and the art generator.

#include <array>

#include "pages/logic/ColourPageIds.h"
#include "skin/logic/WindowLayout.h"

constexpr int kColourPageBackgroundPiece = 59;
constexpr int kPaletteFirstPiece = 67;

constexpr std::array<int, 4> kColourPageZoneIds = {IDC_ZONE_WHEEL, IDC_ZONE_DPI_INDICATOR,
                                                   IDC_ZONE_DPI_BUTTONS, IDC_ZONE_LOGO};
constexpr std::array<int, 4> kColourPageMarkerIds = {IDC_MARKER1, IDC_MARKER2, IDC_MARKER3,
                                                     IDC_MARKER4};

// Palette button of row r (1 .. 4) and column c (1 .. 6).
constexpr int PaletteId(int row, int column) {
    return IDC_PALETTE_FIRST + 6 * (row - 1) + (column - 1);
}
constexpr ControlPlace PalettePlace(int row, int column) {
    constexpr int x[] = {546, 568, 592, 614, 637, 661};
    constexpr int y[] = {64, 85, 106, 127};
    return Place(PaletteId(row, column), x[column - 1], y[row - 1], 22, 21,
                 kPaletteFirstPiece + 6 * (row - 1) + (column - 1));
}

constexpr ControlPlace kColourPageLayout[] = {
    Place(IDC_LED_ON, 38, 60, 180, 20, 60),
    Place(IDC_LED_OFF, 38, 82, 180, 20, 61),
    Place(IDC_LED_SELECT, 38, 100, 90, 20, 62),
    Place(IDC_ZONE_WHEEL, 58, 124, 130, 20, 63),
    Place(IDC_ZONE_DPI_INDICATOR, 58, 144, 130, 20, 64),
    Place(IDC_ZONE_DPI_BUTTONS, 58, 164, 130, 20, 65),
    Place(IDC_ZONE_LOGO, 58, 184, 130, 20, 66),
    PalettePlace(1, 1),
    PalettePlace(1, 2),
    PalettePlace(1, 3),
    PalettePlace(1, 4),
    PalettePlace(1, 5),
    PalettePlace(1, 6),
    PalettePlace(2, 1),
    PalettePlace(2, 2),
    PalettePlace(2, 3),
    PalettePlace(2, 4),
    PalettePlace(2, 5),
    PalettePlace(2, 6),
    PalettePlace(3, 1),
    PalettePlace(3, 2),
    PalettePlace(3, 3),
    PalettePlace(3, 4),
    PalettePlace(3, 5),
    PalettePlace(3, 6),
    PalettePlace(4, 1),
    PalettePlace(4, 2),
    PalettePlace(4, 3),
    PalettePlace(4, 4),
    PalettePlace(4, 5),
    PalettePlace(4, 6),
    Place(IDC_SWATCH, 549, 228, 77, 77),
    Place(IDC_COLOUR_TIP, 652, 274, 100, 25, 92),
    Place(IDC_MARKER1, 245, 60, 25, 22, 93),
    Place(IDC_MARKER2, 245, 83, 25, 22, 94),
    Place(IDC_MARKER3, 245, 130, 25, 22, 95),
    Place(IDC_MARKER4, 245, 246, 25, 22, 96),
};

#include "ColourPageRules.h"

#include <cstdio>

const std::array<PaletteColour, kPaletteSize> kPalette = {{
    {0, 90, 0},    {6, 242, 6},   {94, 255, 0},  {180, 255, 5},  {255, 255, 5},   {255, 202, 2},
    {255, 154, 0}, {255, 90, 0},  {255, 43, 3},  {251, 34, 101}, {255, 44, 62},   {229, 1, 1},
    {255, 0, 64},  {255, 0, 11},  {160, 0, 120}, {153, 0, 252},  {96, 0, 255},    {40, 0, 200},
    {0, 0, 150},   {15, 15, 200}, {14, 71, 255}, {0, 255, 255},  {103, 254, 216}, {171, 255, 216},
}};

std::wstring ColourTip(uint32_t argb) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u", (argb >> 16) & 0xFFu, (argb >> 8) & 0xFFu,
                  argb & 0xFFu);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

int32_t LedModeOf(const LightingState& state, int32_t currentMode) {
    if (state.on) {
        return kLedAllOn;
    }
    if (state.off) {
        return kLedAllOff;
    }
    if (!state.select) {
        return currentMode;
    }
    int32_t mode = kLedZonesSelected;
    for (int zone = 0; zone < kZoneCount; ++zone) {
        if (state.zones[zone]) {
            mode += kZoneBits[zone];
        }
    }
    return mode;
}

LightingState LightingForMode(int32_t ledMode, const LightingState& shown) {
    LightingState state;
    state.on = ledMode == kLedAllOn;
    state.off = ledMode == kLedAllOff;
    state.select = (ledMode & kLedZonesSelected) != 0;
    state.zonesEnabled = state.select;
    for (int zone = 0; zone < kZoneCount; ++zone) {
        state.zones[zone] = state.select ? (ledMode & kZoneBits[zone]) != 0 : shown.zones[zone];
    }
    return state;
}

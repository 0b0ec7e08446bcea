#include "pages/logic/ColourPageRules.h"

#include <cstdio>

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

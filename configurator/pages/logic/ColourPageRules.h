#pragma once
// The rules of the colour page without its window: the palette, the LED mode that "ON", "OFF",
// "Select" and the zone boxes stand for, and the colour's conversions between the swatch (ARGB)
// and the profile (red in the lowest byte).

#include <array>
#include <cstdint>
#include <string>

#include "pages/logic/ColourPalette.h"
#include "profiles/Profile.h"

constexpr int kZoneCount = 4;
// The zone boxes in the page's order: "Scroll Wheel", "DPI Indicator", "DPI Buttons", "LogoType".
constexpr std::array<int32_t, kZoneCount> kZoneBits = {kLedZoneWheel, kLedZoneDpiIndicator,
                                                       kLedZoneDpiButtons, kLedZoneLogo};

// Opaque ARGB of a palette colour, as the swatch holds it.
constexpr uint32_t ArgbOf(PaletteColour c) {
    return 0xFF000000u | (uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue;
}
// The profile's colour (red + 256 green + 65536 blue) of an ARGB value.
constexpr uint32_t LedColourFromArgb(uint32_t argb) {
    return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
}
// The opaque ARGB value of the profile's colour; its top byte is ignored.
constexpr uint32_t ArgbFromLedColour(uint32_t ledColour) {
    return 0xFF000000u | ((ledColour & 0xFFu) << 16) | (ledColour & 0xFF00u) |
           ((ledColour >> 16) & 0xFFu);
}
// "red.green.blue" in decimal, as the tip under the swatch shows it.
std::wstring ColourTip(uint32_t argb);

// The lighting choice and the zone boxes.
struct LightingState {
    bool on = true;
    bool off = false;
    bool select = false;
    std::array<bool, kZoneCount> zones{};
    // The zone boxes take clicks only while "Select" is chosen.
    bool zonesEnabled = false;
};

// The LED mode the choice stands for; the current mode when none of the three is chosen.
int32_t LedModeOf(const LightingState& state, int32_t currentMode);
// The choice showing a stored mode. Without the "Select" bit the zone boxes keep the checks they
// had (`shown`) and are disabled.
LightingState LightingForMode(int32_t ledMode, const LightingState& shown);

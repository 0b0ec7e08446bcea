// The colour page's rules: LED modes from the lighting choice and back, the colour between the
// swatch and the profile, and the palette.

#include <gtest/gtest.h>

#include "pages/logic/ColourPageRules.h"

namespace {

LightingState Select(std::array<bool, kZoneCount> zones) {
    LightingState state;
    state.on = false;
    state.select = true;
    state.zones = zones;
    return state;
}

TEST(LedMode, SaveAndLoadEveryKind) {
    // "Select" with the wheel and the logo, saved and shown again.
    EXPECT_EQ(LedModeOf(Select({true, false, false, true}), 15), 25);
    LightingState shown = LightingForMode(25, LightingState{});
    EXPECT_TRUE(shown.select);
    EXPECT_FALSE(shown.on || shown.off);
    EXPECT_TRUE(shown.zonesEnabled);
    EXPECT_EQ(shown.zones, (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(LedModeOf(shown, 0), 25);

    // "Select" without zones.
    EXPECT_EQ(LedModeOf(Select({}), 15), 16);
    shown = LightingForMode(16, Select({true, true, true, true}));
    EXPECT_TRUE(shown.select);
    EXPECT_EQ(shown.zones, (std::array<bool, 4>{}));

    // All on keeps the zone checks (disabled) so that "Select" later shows them as they were.
    shown = LightingForMode(15, Select({false, true, true, false}));
    EXPECT_TRUE(shown.on);
    EXPECT_FALSE(shown.select || shown.off || shown.zonesEnabled);
    EXPECT_EQ(shown.zones, (std::array<bool, 4>{false, true, true, false}));
    EXPECT_EQ(LedModeOf(shown, 0), 15);

    shown = LightingForMode(0, shown);
    EXPECT_TRUE(shown.off);
    EXPECT_FALSE(shown.on || shown.select);
    EXPECT_EQ(LedModeOf(shown, 15), 0);

    // A mode that is none of the three chooses nothing, and saving keeps it.
    shown = LightingForMode(5, LightingState{});
    EXPECT_FALSE(shown.on || shown.off || shown.select || shown.zonesEnabled);
    EXPECT_EQ(LedModeOf(shown, 5), 5);
    // Every zone at once.
    EXPECT_EQ(LedModeOf(Select({true, true, true, true}), 0), 31);
}

TEST(LedColour, PaletteSwatchAndProfile) {
    // Row 2, column 1 is 255.154.0.
    const uint32_t argb = ArgbOf(kPalette[6]);
    EXPECT_EQ(argb, 0xFFFF9A00u);
    EXPECT_EQ(ColourTip(argb), L"255.154.0");
    EXPECT_EQ(LedColourFromArgb(argb), 39679u);
    EXPECT_EQ(ArgbFromLedColour(39679), argb);
    // The first colour, as the page starts.
    EXPECT_EQ(ColourTip(ArgbOf(kPalette[0])), L"0.90.0");
    // The profile's default green, and a top byte that is ignored.
    EXPECT_EQ(ColourTip(ArgbFromLedColour(455174)), L"6.242.6");
    EXPECT_EQ(ArgbFromLedColour(0xAB0000FFu), 0xFFFF0000u);
    for (const PaletteColour& colour : kPalette) {
        EXPECT_EQ(ArgbFromLedColour(LedColourFromArgb(ArgbOf(colour))), ArgbOf(colour));
    }
    EXPECT_EQ(ColourTip(ArgbOf(kPalette[23])), L"171.255.216");
}

}  // namespace

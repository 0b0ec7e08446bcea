// The values a profile hands to SystemParametersInfoW.

#include <gtest/gtest.h>

#include "app/logic/WindowsSettings.h"

namespace {

TEST(WindowsSettings, EachProfileFieldGivesItsValue) {
    Profile profile;
    profile.doubleClickValue = 600;
    profile.pointerSpeed = 7;
    profile.scrollByLines = 1;
    profile.scrollLines = 4;
    profile.accelerationOn = 0;
    WindowsSettings settings = WindowsSettingsFor(profile);
    EXPECT_EQ(settings.doubleClickTime, 1000u);  // 1600 minus the slider position
    EXPECT_EQ(settings.mouseSpeed, 14u);         // twice the pointer speed
    EXPECT_EQ(settings.wheelLines, 4u);
    EXPECT_EQ(settings.mouse, (std::array<int32_t, 3>{0, 0, 0}));

    // Lines win over page; page alone scrolls a page; neither leaves the wheel alone.
    profile.scrollByPage = 1;
    EXPECT_EQ(WindowsSettingsFor(profile).wheelLines, 4u);
    profile.scrollByLines = 0;
    EXPECT_EQ(WindowsSettingsFor(profile).wheelLines, kWheelPageScroll);
    profile.scrollByPage = 0;
    EXPECT_FALSE(WindowsSettingsFor(profile).wheelLines.has_value());
}

TEST(WindowsSettings, EveryAccelerationLevelSetsThreeValuesWithinWindowsRange) {
    Profile profile;
    profile.accelerationOn = 1;
    std::array<std::array<int32_t, 3>, 3> seen{};
    for (int16_t level = 0; level <= 2; ++level) {
        profile.accelerationLevel = level;
        const std::array<int32_t, 3> mouse = WindowsSettingsFor(profile).mouse;
        EXPECT_GE(mouse[2], 1) << "level " << level << " must accelerate";
        EXPECT_LE(mouse[2], 2) << "level " << level;
        EXPECT_LE(mouse[0], mouse[1]) << "level " << level << ": thresholds in order";
        seen[static_cast<size_t>(level)] = mouse;
    }
    EXPECT_EQ(seen[0], (std::array<int32_t, 3>{0, 1, 2}));
    // Each level is its own setting, weaker as the slider moves right.
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_NE(seen[1], seen[2]);
    EXPECT_GE(seen[1][0], seen[0][0]);
    EXPECT_GE(seen[0][2] + seen[1][2], seen[1][2] + seen[2][2]);

    // A level the slider cannot produce still gives a valid setting.
    profile.accelerationLevel = 9;
    EXPECT_EQ(WindowsSettingsFor(profile).mouse, seen[2]);
    profile.accelerationLevel = -3;
    EXPECT_EQ(WindowsSettingsFor(profile).mouse, seen[0]);
}

TEST(WindowsSettings, DamagedValuesStayInsideWhatWindowsAccepts) {
    Profile profile;
    profile.doubleClickValue = 1590;  // would be 10 ms: no double click could succeed
    profile.pointerSpeed = 200;       // Windows speeds are 1 .. 20
    profile.scrollByLines = 1;
    profile.scrollLines = -4;  // would wrap to four billion lines
    WindowsSettings settings = WindowsSettingsFor(profile);
    EXPECT_EQ(settings.doubleClickTime, 100u);
    EXPECT_EQ(settings.mouseSpeed, 20u);
    EXPECT_EQ(settings.wheelLines, 1u);

    profile.doubleClickValue = -30000;
    profile.pointerSpeed = 0;
    profile.scrollLines = 30000;
    settings = WindowsSettingsFor(profile);
    EXPECT_EQ(settings.doubleClickTime, 5000u);
    EXPECT_EQ(settings.mouseSpeed, 1u);
    EXPECT_EQ(settings.wheelLines, 100u);
}

}  // namespace

// Reading an image back gives what the profile put into it, and images no configurator could
// have written are refused rather than read past their blocks.

#include <gtest/gtest.h>

#include "profiles/DeviceImageReader.h"

namespace {

CButtonMacro MacroOf(int32_t id, std::vector<CMacroEvent> events) {
    events.push_back(CMacroEvent{});  // the all-zero event that ends every copy
    return CButtonMacro{u"m", id, std::move(events)};
}

TEST(DeviceImageReader, ReadsBackEveryFieldTheProfileEncodes) {
    Profile profile;
    profile.index = 3;
    profile.firmwareVersion = 109;
    profile.reportRate = kReportRate125Hz;
    profile.dpi = {20, 21, 40, 41, 60, 61};
    profile.ledMode = kLedZonesSelected | kLedZoneWheel | kLedZoneLogo;
    profile.ledColour = 0x00112233;
    profile.liftDistance = 31;
    profile.buttons[2].function = kFunctionSingleKey;
    profile.buttons[2].value = 0x41;  // A
    profile.buttons[1].function = kFunctionMacro;
    profile.buttons[1].value = 16;
    profile.macros[1] =
        MacroOf(16, {{kEventKey, 0x41, kActionPress, 0}, {kEventKey, 0x41, kActionRelease, 70000}});
    profile.buttons[4].function = kFunctionMacro;
    profile.buttons[4].value = 17;
    profile.macros[4] = MacroOf(17, {{kEventMouseButton, 1, kActionPress, 250}});
    const auto image = BuildDeviceImage(profile);
    ASSERT_TRUE(image);

    const auto decoded = DecodeDeviceImage(image->data(), image->size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->imageLength, profile.imageLength);
    EXPECT_EQ(decoded->index, 3);
    EXPECT_EQ(decoded->dpi, (std::array<uint16_t, 6>{20, 21, 40, 41, 60, 61}));
    EXPECT_EQ(decoded->ledColour, 0x00112233u);
    EXPECT_EQ(decoded->ledKind, 3);
    EXPECT_EQ(decoded->ledMode, 0x19);
    EXPECT_EQ(decoded->liftDistance, 31);
    EXPECT_EQ(decoded->reportRateOld, 0);
    EXPECT_EQ(decoded->reportRateNew, kReportRate125Hz);
    EXPECT_EQ(decoded->buttons[2].function, kFunctionSingleKey);
    EXPECT_EQ(decoded->buttons[2].keyUsage, 0x04);
    EXPECT_EQ(decoded->buttons[0].address, kNoAddress);

    // Each block ends at its copy's zero event; delays keep their 24 bits.
    const auto& first = decoded->buttons[1].macro;
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0], (ImageMacroEvent{kEventKey, 0x04, kActionPress, 0}));
    EXPECT_EQ(first[1], (ImageMacroEvent{kEventKey, 0x04, kActionRelease, 70000}));
    EXPECT_EQ(first[2], ImageMacroEvent{});
    const auto& second = decoded->buttons[4].macro;
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0], (ImageMacroEvent{kEventMouseButton, 1, kActionPress, 250}));
    EXPECT_EQ(decoded->buttons[4].address, MacroAddress(profile, 4));
}

TEST(DeviceImageReader, RefusesWhatNoConfiguratorWrites) {
    Profile profile;
    profile.buttons[3].function = kFunctionMacro;
    profile.macros[3] = MacroOf(16, {{kEventKey, 0x42, kActionPress, 5}});
    auto image = *BuildDeviceImage(profile);

    EXPECT_FALSE(DecodeDeviceImage(image.data(), image.size() - 1));
    EXPECT_FALSE(DecodeDeviceImage(nullptr, image.size()));

    auto shortLength = image;
    shortLength[0] = 100;  // below the fixed part
    shortLength[1] = 0;
    EXPECT_FALSE(DecodeDeviceImage(shortLength.data(), shortLength.size()));

    auto longLength = image;
    longLength[0] = 0x01;  // 2049
    longLength[1] = 0x08;
    EXPECT_FALSE(DecodeDeviceImage(longLength.data(), longLength.size()));

    auto wildAddress = image;  // button 3's block said to start past the image's length
    wildAddress[88 + 4 * 3 + 2] = 0xF0;
    wildAddress[88 + 4 * 3 + 3] = 0x07;
    EXPECT_FALSE(DecodeDeviceImage(wildAddress.data(), wildAddress.size()));

    // A block without its zero event stops at the image's length, never past it.
    auto unended = image;
    const int lengthWithoutEnd = profile.imageLength - kMacroEventBytes;
    unended[0] = static_cast<uint8_t>(lengthWithoutEnd);
    unended[1] = static_cast<uint8_t>(lengthWithoutEnd >> 8);
    const auto decoded = DecodeDeviceImage(unended.data(), unended.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->buttons[3].macro.size(), 1u);
}

}  // namespace

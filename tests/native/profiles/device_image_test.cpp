#include "profiles/DeviceImage.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> At(const DeviceImage& image, int offset, int count) {
    return std::vector<uint8_t>(image.begin() + offset, image.begin() + offset + count);
}

CButtonMacro Copy(int recorded) {
    CButtonMacro macro{u"m", 1, {}};
    for (int i = 0; i < recorded; ++i)
        macro.events.push_back({kEventKey, 0x41, kActionPress, 5});
    macro.events.push_back({});
    return macro;
}

void BindMacro(Profile& p, int k, int recorded) {
    p.buttons[k].function = kFunctionMacro;
    p.buttons[k].value = static_cast<int16_t>(k + 100);
    const CButtonMacro macro = Copy(recorded);
    p.AssignMacro(p.buttons[k], &macro);
}

TEST(DeviceImage, DefaultProfileEncodesTheFixedPart) {
    Profile p;
    const auto image = BuildDeviceImage(p);
    ASSERT_TRUE(image);
    EXPECT_EQ(At(*image, 0, 13), (std::vector<uint8_t>{0xB3, 0x00, 0x00, 0x00, 0x00, 0x02, 0x09,
                                                       0x00, 0x09, 0x00, 0x06, 0xF2, 0x06}));
    EXPECT_EQ(At(*image, 13, 4), (std::vector<uint8_t>{23, 0, 23, 0}));
    EXPECT_EQ(At(*image, 17, 3), (std::vector<uint8_t>{0x06, 0xF2, 0x06}));
    EXPECT_EQ(At(*image, 24, 3), (std::vector<uint8_t>{0x06, 0xF2, 0x06}));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(At(*image, 62 + 3 * i, 3), (std::vector<uint8_t>{0x06, 0xF2, 0x06}));
    EXPECT_EQ((*image)[83], 0);
    EXPECT_EQ((*image)[84], 0x0F);
    EXPECT_EQ((*image)[85], 12);
    EXPECT_EQ((*image)[86], 0);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(
            At(*image, 88 + 4 * k, 4),
            (std::vector<uint8_t>{static_cast<uint8_t>(k), static_cast<uint8_t>(k), 0xFF, 0xFF}));
        EXPECT_EQ(At(*image, 152 + 3 * k, 3), (std::vector<uint8_t>{1, 0, 0}));
    }
    for (int i = 179; i < kDeviceImageSize; ++i)
        ASSERT_EQ((*image)[i], 0) << "offset " << i;
    EXPECT_EQ(p.imageLength, 179);
}

TEST(DeviceImage, ReportRatePlaceDependsOnFirmware) {
    Profile p;
    p.reportRate = kReportRate125Hz;
    p.firmwareVersion = 109;
    auto image = BuildDeviceImage(p);
    EXPECT_EQ((*image)[86], 0);
    EXPECT_EQ((*image)[87], 5);
    p.firmwareVersion = 108;
    image = BuildDeviceImage(p);
    EXPECT_EQ((*image)[86], 5);
    EXPECT_EQ((*image)[87], 0);
}

TEST(DeviceImage, SingleKeyButtonPointsAtItsKeyEntry) {
    Profile p;
    p.buttons[2].function = kFunctionSingleKey;
    p.buttons[2].value = 0x41;
    const auto image = BuildDeviceImage(p);
    EXPECT_EQ(At(*image, 96, 4), (std::vector<uint8_t>{0x02, 0x0D, 0x8A, 0x00}));
    EXPECT_EQ(At(*image, 158, 3), (std::vector<uint8_t>{0x01, 0x04, 0x00}));
}

TEST(DeviceImage, MacroBlocksFollowInButtonOrder) {
    Profile p;
    p.firmwareVersion = 109;
    BindMacro(p, 4, 1);
    BindMacro(p, 1, 3);
    const auto image = BuildDeviceImage(p);
    ASSERT_TRUE(image);
    EXPECT_EQ(p.imageLength, 261);
    EXPECT_EQ(At(*image, 0, 2), (std::vector<uint8_t>{0x05, 0x01}));
    EXPECT_EQ(At(*image, 88 + 4, 4), (std::vector<uint8_t>{1, 14, 179, 0}));
    EXPECT_EQ(At(*image, 88 + 16, 4), (std::vector<uint8_t>{4, 14, 227, 0}));
    EXPECT_EQ(At(*image, 152 + 3, 3), (std::vector<uint8_t>{0x01, 0xB3, 0x00}));
    EXPECT_EQ(At(*image, 152 + 12, 3), (std::vector<uint8_t>{0x01, 0xE3, 0x00}));
    // Button 1's block: 20 zero bytes, then events with the key's usage and a 24-bit delay.
    for (int i = 179; i < 199; ++i)
        EXPECT_EQ((*image)[i], 0);
    EXPECT_EQ(At(*image, 199, 7), (std::vector<uint8_t>{1, 0x04, 0x00, 1, 5, 0, 0}));
    EXPECT_EQ(At(*image, 199 + 21, 7), (std::vector<uint8_t>(7, 0)));  // terminator
    EXPECT_EQ(At(*image, 247, 7), (std::vector<uint8_t>{1, 0x04, 0x00, 1, 5, 0, 0}));
    for (int i = 261; i < kDeviceImageSize; ++i)
        ASSERT_EQ((*image)[i], 0);
    EXPECT_EQ(p.buttons[1].value, 101);  // the macro id stays in the profile

    p.buttons[1].function = 1;
    p.buttons[4].function = 4;
    ASSERT_TRUE(BuildDeviceImage(p));
    EXPECT_EQ(p.imageLength, 179);
}

TEST(DeviceImage, DelayKeepsItsLow24Bits) {
    Profile p;
    p.buttons[0].function = kFunctionMacro;
    p.macros[0].events = {{kEventMouseButton, 1, kActionRelease, 0x12345678}};
    const auto image = BuildDeviceImage(p);
    EXPECT_EQ(At(*image, 199, 7), (std::vector<uint8_t>{16, 1, 0, 2, 0x78, 0x56, 0x34}));
    EXPECT_EQ(MacroBlockSize(p, 0), 27);
}

TEST(DeviceImage, MacroBlocksThatDoNotFitAreRefusedWithoutChangingTheProfile) {
    Profile p;
    // 1869 bytes of blocks fill the image exactly: 7 headers and 247 events of 7 bytes.
    for (int k = 0; k < 6; ++k)
        BindMacro(p, k, 34);
    BindMacro(p, 6, 36);
    EXPECT_EQ(DeviceImageLength(p), 2048);
    auto image = BuildDeviceImage(p);
    ASSERT_TRUE(image);
    EXPECT_EQ(p.imageLength, 2048);
    EXPECT_EQ((*image)[2047], 0);  // the last terminator's delay byte

    p.imageLength = 179;
    p.macros[6].events.push_back({});
    EXPECT_FALSE(BuildDeviceImage(p));
    EXPECT_EQ(p.imageLength, 179);
}

TEST(DeviceImage, LedKindFollowsTheMode) {
    Profile p;
    p.ledMode = 0x13;
    auto image = BuildDeviceImage(p);
    EXPECT_EQ((*image)[83], 3);
    EXPECT_EQ((*image)[84], 0x13);
    p.ledMode = kLedAllOff;
    image = BuildDeviceImage(p);
    EXPECT_EQ((*image)[83], 1);
    p.ledMode = 5;  // neither all, none nor selected zones
    image = BuildDeviceImage(p);
    EXPECT_EQ((*image)[83], 0);
}

TEST(KeyToUsage, MapsEveryRunAndPassesUnknownCodesThrough) {
    EXPECT_EQ(KeyToUsage(0x41), 0x04);
    EXPECT_EQ(KeyToUsage(0x5A), 0x1D);
    EXPECT_EQ(KeyToUsage(0x31), 0x1E);
    EXPECT_EQ(KeyToUsage(0x39), 0x26);
    EXPECT_EQ(KeyToUsage(0x30), 0x27);
    EXPECT_EQ(KeyToUsage(0x70), 0x3A);
    EXPECT_EQ(KeyToUsage(0x7B), 0x45);
    EXPECT_EQ(KeyToUsage(0x13), 0x48);
    EXPECT_EQ(KeyToUsage(0x03), 0x48);
    EXPECT_EQ(KeyToUsage(0x61), 0x59);
    EXPECT_EQ(KeyToUsage(0x69), 0x61);
    EXPECT_EQ(KeyToUsage(0x60), 0x62);
    EXPECT_EQ(KeyToUsage(0x5C), 0xE7);
    EXPECT_EQ(KeyToUsage(0xAE), 0x81);
    for (uint16_t passThrough : {0, 1, 4, 0x10, 0x11, 0x12, 0x6C, 0x7C, 0x87, 151, 166, 0xFFFF})
        EXPECT_EQ(KeyToUsage(passThrough), passThrough);
}

}  // namespace

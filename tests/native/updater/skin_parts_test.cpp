#include <gtest/gtest.h>

#include "logic/ButtonLayout.h"
#include "logic/MaskRuns.h"

namespace {

TEST(ButtonLayout, ParsesNameRectangleLatchAndText) {
    ButtonLayout layout;
    ASSERT_TRUE(ButtonLayout::Parse("BUTTON_OK,198,152,112,20,", layout));
    EXPECT_EQ(layout.name, "BUTTON_OK");
    EXPECT_EQ(layout.left, 198);
    EXPECT_EQ(layout.top, 152);
    EXPECT_EQ(layout.right, 310);
    EXPECT_EQ(layout.bottom, 172);
    EXPECT_FALSE(layout.latched);
    EXPECT_EQ(layout.text, "20");

    ASSERT_TRUE(ButtonLayout::Parse("BUTTON_Progress,22,105,330,15,", layout));
    EXPECT_EQ(layout.right, 352);
    EXPECT_EQ(layout.bottom, 120);

    ASSERT_TRUE(ButtonLayout::Parse("BUTTON_A,1,2,3,4,TRUE,  Label,", layout));
    EXPECT_TRUE(layout.latched);
    EXPECT_EQ(layout.text, "Label");
}

TEST(ButtonLayout, OddInputStaysBounded) {
    ButtonLayout layout;
    EXPECT_FALSE(ButtonLayout::Parse("NO_COMMA", layout));
    EXPECT_EQ(layout.name, "NO_COMMA");
    EXPECT_FALSE(ButtonLayout::Parse("B,1,2,x,4,", layout));
    EXPECT_FALSE(ButtonLayout::Parse("", layout));
    ASSERT_TRUE(ButtonLayout::Parse("B,2147483647,-5,99999999999,-1,", layout));
    EXPECT_EQ(layout.right, 2147483647);
    EXPECT_EQ(layout.bottom, -6);
    ASSERT_TRUE(ButtonLayout::Parse(std::string(100, 'N') + ",1,1,1,1,", layout));
    EXPECT_EQ(layout.name.size(), ButtonLayout::kMaxName);
}

// 32-bit pixels in memory order b g r x.
std::vector<uint8_t> Pixels(const std::vector<uint32_t>& colours) {
    std::vector<uint8_t> bytes;
    for (uint32_t c : colours) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
        bytes.push_back(static_cast<uint8_t>(c >> 16));
        bytes.push_back(0);
    }
    return bytes;
}

TEST(MaskRuns, OpaqueRunsBecomeOneRowRectangles) {
    const uint32_t W = 0xFFFFFF;
    const uint32_t K = 0x000000;
    // Row 0: . # # . #   Row 1: all white   Row 2: all black
    const auto pixels = Pixels({W, K, K, W, K, W, W, W, W, W, K, K, K, K, K});
    std::vector<MaskRect> rects;
    ASSERT_TRUE(MaskRuns::Collect(pixels, 5, 3, 0xFFFFFF, 0, rects));
    EXPECT_EQ(rects, (std::vector<MaskRect>{{1, 0, 3, 1}, {4, 0, 5, 1}, {0, 2, 5, 3}}));
}

TEST(MaskRuns, ToleranceWidensTheKeyPerByteAndCapsAt255) {
    // Key 0x00302010: pixel bytes 10 20 30 in memory order, tolerance 5 on each byte.
    const auto pixels = Pixels({0x302010, 0x352515, 0x362515, 0x30200F});
    std::vector<MaskRect> rects;
    ASSERT_TRUE(MaskRuns::Collect(pixels, 4, 1, 0x00302010, 0x050505, rects));
    EXPECT_EQ(rects, (std::vector<MaskRect>{{2, 0, 4, 1}}));
    // Near white with a large tolerance: the upper bound stops at 255 instead of wrapping.
    const auto white = Pixels({0xFFFFFF, 0xFAFAFA});
    ASSERT_TRUE(MaskRuns::Collect(white, 2, 1, 0xFAFAFA, 0x101010, rects));
    EXPECT_TRUE(rects.empty());
}

TEST(MaskRuns, AllBlackMaskIsOneRectanglePerRowAndShortBuffersAreRefused) {
    std::vector<uint8_t> black(376 * 177 * 4, 0);
    std::vector<MaskRect> rects;
    ASSERT_TRUE(MaskRuns::Collect(black, 376, 177, 0xFFFFFF, 0, rects));
    ASSERT_EQ(rects.size(), 177u);
    EXPECT_EQ(rects.back(), (MaskRect{0, 176, 376, 177}));
    EXPECT_FALSE(MaskRuns::Collect(black, 376, 178, 0xFFFFFF, 0, rects));
    EXPECT_TRUE(rects.empty());
}

}  // namespace

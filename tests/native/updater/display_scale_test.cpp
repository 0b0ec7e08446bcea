#include <gtest/gtest.h>

#include "logic/DisplayScale.h"

namespace {

// The updater's places at 96 DPI: the close button, the progress bar and its frame, the
// notices' buttons side by side, and the window.
constexpr ScaledRect kPlaces[] = {
    {350, 2, 373, 20},    {22, 105, 352, 120},  {21, 104, 353, 121}, {198, 152, 310, 172},
    {247, 152, 310, 172}, {319, 152, 370, 172}, {0, 0, 378, 179},
};

TEST(DisplayScale, ScalesEdgesWithHalvesRoundedUp) {
    const DisplayScale base(96);
    EXPECT_TRUE(base.IsBase());
    for (const ScaledRect& place : kPlaces)
        EXPECT_EQ(base.Scale(place), place);
    EXPECT_EQ(DisplayScale(0).Dpi(), 96u);

    const DisplayScale x125(120), x150(144), x200(192);
    EXPECT_EQ(x125.Scale(2), 3);    // 2.5
    EXPECT_EQ(x125.Scale(3), 4);    // 3.75
    EXPECT_EQ(x125.Scale(-2), -2);  // -2.5: up, as for positive halves
    EXPECT_EQ(x150.Scale(319), 479);
    EXPECT_EQ(x150.Scale(179), 269);
    EXPECT_EQ(x150.Scale(-1), -1);  // -1.5
    EXPECT_EQ(x200.Scale(378), 756);
    EXPECT_EQ(x200.Scale(ScaledRect{319, 152, 370, 172}), (ScaledRect{638, 304, 740, 344}));
    // 175 % and 250 % have no art of their own, and scale all the same.
    EXPECT_EQ(DisplayScale(168).Scale(4), 7);
    EXPECT_EQ(DisplayScale(240).Scale(3), 8);  // 7.5
    EXPECT_EQ(DisplayScale(1u << 30).Scale(1 << 30), INT32_MAX);
}

TEST(DisplayScale, NeighboursStayNeighboursAndMovesKeepSizes) {
    for (const uint32_t dpi : {120u, 144u, 168u, 192u, 240u}) {
        const DisplayScale scale(dpi);
        for (int32_t x = -40; x < 400; ++x) {
            const ScaledRect left = scale.Scale(ScaledRect{x - 51, 0, x, 20});
            const ScaledRect right = scale.Scale(ScaledRect{x, 0, x + 23, 20});
            EXPECT_EQ(left.right, right.left) << dpi << " at " << x;
            // A whole scaled step apart at 96 DPI: the same size at both places.
            const int32_t step = 96 * 4;  // 4 inches: a whole number of pixels at each DPI
            const ScaledRect moved = scale.Scale(ScaledRect{x + step, 0, x + step + 23, 20});
            EXPECT_EQ(moved.Width(), right.Width()) << dpi << " at " << x;
        }
    }
}

TEST(DisplayScale, PointsOnAScaledPlaceLieInsideTheBareScaledSize) {
    // Every pixel of a scaled place maps back into the 96-DPI place, so a click anywhere on a
    // button's scaled rectangle is a click on that button.
    for (const uint32_t dpi : {120u, 144u, 192u}) {
        const DisplayScale scale(dpi);
        for (const ScaledRect& place : kPlaces) {
            const ScaledRect scaled = scale.Scale(place);
            EXPECT_NEAR(scaled.Width(), place.Width() * static_cast<double>(dpi) / 96, 1.0);
            for (int32_t x = scaled.left; x < scaled.right; ++x) {
                const double back = (x + 0.5) * 96 / dpi;
                EXPECT_GE(back, place.left - 0.5);
                EXPECT_LE(back, place.right + 0.5);
            }
        }
    }
}

TEST(DisplayScale, PicksTheArtOfItsScaleOrTheNearestLarger) {
    struct Case {
        uint32_t dpi;
        int percent;
        bool exact;
    };
    const Case cases[] = {
        {96, 100, true},   {72, 100, false},  {100, 125, false}, {120, 125, true},
        {121, 150, false}, {144, 150, true},  {168, 200, false}, {192, 200, true},
        {193, 200, false}, {288, 200, false},
    };
    for (const Case& c : cases) {
        const DisplayScale scale(c.dpi);
        EXPECT_EQ(scale.ArtPercent(), c.percent) << c.dpi;
        EXPECT_EQ(scale.ArtFitsExactly(), c.exact) << c.dpi;
    }
    EXPECT_EQ(DisplayScale::ArtResourceId(145, 100), 145);
    EXPECT_EQ(DisplayScale::ArtResourceId(145, 150), 15145);
    EXPECT_EQ(DisplayScale::ArtResourceId(164, 200), 20164);
}

}  // namespace

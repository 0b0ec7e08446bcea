#include <gtest/gtest.h>

#include <vector>

#include "skin/logic/DisplayScale.h"

namespace {

constexpr uint32_t kScaledDpis[] = {120, 144, 168, 192, 240};  // 125, 150, 175, 200, 250 %

// Rectangles of assorted widths and heights that tile the area from 0,0 without gaps, as a
// window's controls and the strips between them do.
std::vector<PixelRect> Tiles() {
    const int32_t widths[] = {1, 3, 7, 12, 23, 51, 2, 5, 143, 9};
    const int32_t heights[] = {1, 2, 5, 16, 20, 3};
    std::vector<PixelRect> tiles;
    int32_t top = 0;
    for (const int32_t height : heights) {
        int32_t left = 0;
        for (const int32_t width : widths) {
            tiles.push_back({left, top, left + width, top + height});
            left += width;
        }
        top += height;
    }
    return tiles;
}

// Which tile a point hits, by the scaled rectangles alone; -1 for none, -2 for two.
int HitTest(const std::vector<PixelRect>& scaled, int32_t x, int32_t y) {
    int hit = -1;
    for (size_t i = 0; i < scaled.size(); ++i) {
        if (scaled[i].Contains(x, y))
            hit = hit == -1 ? static_cast<int>(i) : -2;
    }
    return hit;
}

TEST(DisplayScale, RoundsEachEdgeHalvesUp) {
    const DisplayScale base(96);
    EXPECT_TRUE(base.IsBase());
    const PixelRect rect{143, 12, 777, 337};
    EXPECT_EQ(base.Scale(rect), rect);
    EXPECT_EQ(DisplayScale(0).Dpi(), 96u);
    EXPECT_EQ(DisplayScale::FromPercent(150).Dpi(), 144u);

    const DisplayScale x125(120), x150(144), x200(192);
    EXPECT_EQ(x125.Scale(2), 3);    // 2.5
    EXPECT_EQ(x125.Scale(1), 1);    // 1.25
    EXPECT_EQ(x125.Scale(3), 4);    // 3.75
    EXPECT_EQ(x125.Scale(-2), -2);  // -2.5, rounded up as well
    EXPECT_EQ(x150.Scale(143), 215);
    EXPECT_EQ(x150.Scale(-3), -4);  // -4.5
    EXPECT_EQ(x200.Scale(rect), (PixelRect{286, 24, 1554, 674}));
    // A 51-pixel button is 76 or 77 pixels at 150 % depending on where it starts; its edges,
    // not its width, are what is scaled.
    EXPECT_EQ(x150.Scale(PixelRect{319, 0, 370, 1}).Width(), 76);
    EXPECT_EQ(x150.Scale(PixelRect{320, 0, 371, 1}).Width(), 77);
}

TEST(DisplayScale, TilesStayTilesAndEveryPointHitsItsOwnControl) {
    const std::vector<PixelRect> tiles = Tiles();
    for (const uint32_t dpi : kScaledDpis) {
        const DisplayScale scale(dpi);
        std::vector<PixelRect> scaled;
        for (const PixelRect& tile : tiles)
            scaled.push_back(scale.Scale(tile));
        const PixelRect whole =
            scale.Scale(PixelRect{0, 0, tiles.back().right, tiles.back().bottom});
        // Every pixel of the scaled area lies in exactly one scaled tile...
        for (int32_t y = whole.top; y < whole.bottom; ++y) {
            for (int32_t x = whole.left; x < whole.right; ++x)
                ASSERT_GE(HitTest(scaled, x, y), 0) << dpi << " DPI at " << x << "," << y;
        }
        // ...and each point on a tile's scaled rectangle hits that tile, the 1-pixel ones too.
        for (size_t i = 0; i < scaled.size(); ++i) {
            const PixelRect& r = scaled[i];
            ASSERT_GT(r.Width(), 0) << dpi << " DPI, tile " << i;
            ASSERT_GT(r.Height(), 0) << dpi << " DPI, tile " << i;
            for (const ScalePoint corner :
                 {ScalePoint{r.left, r.top}, ScalePoint{r.right - 1, r.bottom - 1}})
                EXPECT_EQ(HitTest(scaled, corner.x, corner.y), static_cast<int>(i)) << dpi;
        }
    }
}

TEST(DisplayScale, APointerTakenBackTo96DpiHitsTheRowWhoseScaledRectangleItIsOn) {
    // A control keeping its rows in 96-DPI pixels hit-tests an unscaled pointer: that must
    // choose exactly the tile whose scaled rectangle holds the pixel, at every scale.
    const std::vector<PixelRect> tiles = Tiles();
    for (const uint32_t dpi : {96u, 120u, 144u, 168u, 192u, 240u, 72u}) {
        const DisplayScale scale(dpi);
        std::vector<PixelRect> scaled;
        for (const PixelRect& tile : tiles)
            scaled.push_back(scale.Scale(tile));
        // The first rows of tiles (the thinnest ones) and a margin around them.
        const PixelRect whole = scale.Scale(PixelRect{-2, -2, tiles.back().right + 2, 9});
        for (int32_t y = whole.top; y < whole.bottom; ++y) {
            for (int32_t x = whole.left; x < whole.right; ++x) {
                int byUnscaled = -1;
                for (size_t i = 0; i < tiles.size(); ++i) {
                    if (tiles[i].Contains(scale.Unscale(x), scale.Unscale(y)))
                        byUnscaled = static_cast<int>(i);
                }
                const int byScaled = HitTest(scaled, x, y);
                ASSERT_EQ(byUnscaled, byScaled < 0 ? -1 : byScaled)
                    << dpi << " DPI at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(DisplayScale(96).Unscale(-7), -7);
    EXPECT_EQ(DisplayScale(192).Unscale(5), 2);    // pixels 4 and 5 are 96-DPI pixel 2
    EXPECT_EQ(DisplayScale(192).Unscale(-1), -1);  // pixels -2 and -1 are pixel -1
    EXPECT_EQ(DisplayScale(144).Unscale(2), 1);    // 1 scales to 2 (1.5 rounded up)
}

TEST(DisplayScale, ARegionPolygonMeetsTheRectanglesAtItsCorners) {
    // A page's outline: a tab 143 pixels wide at the top left, the page 12 pixels lower.
    const std::vector<ScalePoint> outline = {{0, 0},    {143, 0},   {143, 12},
                                             {777, 12}, {777, 337}, {0, 337}};
    const PixelRect tab{0, 0, 143, 12};
    const PixelRect body{0, 12, 777, 337};
    for (const uint32_t dpi : kScaledDpis) {
        const DisplayScale scale(dpi);
        const std::vector<ScalePoint> region = scale.Scale(outline);
        ASSERT_EQ(region.size(), outline.size());
        const PixelRect scaledTab = scale.Scale(tab);
        const PixelRect scaledBody = scale.Scale(body);
        EXPECT_EQ(region[1], (ScalePoint{scaledTab.right, scaledTab.top}));
        EXPECT_EQ(region[2], (ScalePoint{scaledTab.right, scaledBody.top}));
        EXPECT_EQ(region[4], (ScalePoint{scaledBody.right, scaledBody.bottom}));
        EXPECT_EQ(scaledTab.bottom, scaledBody.top);
    }
}

TEST(DisplayScale, PicksTheArtOfItsScaleElseTheNearestLargerElseTheLargest) {
    struct Case {
        uint32_t dpi;
        int percent;
        bool exact;
    };
    const Case cases[] = {
        {96, 100, true},  {72, 100, false},  {97, 125, false}, {120, 125, true},  {121, 150, false},
        {144, 150, true}, {168, 200, false}, {192, 200, true}, {240, 200, false}, {384, 200, false},
    };
    for (const Case& c : cases) {
        const DisplayScale scale(c.dpi);
        EXPECT_EQ(scale.ArtPercent(), c.percent) << c.dpi;
        EXPECT_EQ(scale.ArtFitsExactly(), c.exact) << c.dpi;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "app/NoticeDlgIds.h"
#include "app/RegionFromMask.h"
#include "app/ScopedWin.h"
#include "app/SkinBitmap.h"

namespace {

// A 32-bit bitmap whose pixel (x, y) is colour(x, y).
template <typename Colour>
ScopedBitmap MakeMask(int width, int height, Colour colour) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = colour(x, y);
    }
    return ScopedBitmap(CreateBitmap(width, height, 1, 32, pixels.data()));
}

DWORD RectCount(HRGN region) {
    const DWORD bytes = GetRegionData(region, 0, nullptr);
    std::vector<uint8_t> buffer(bytes);
    GetRegionData(region, bytes, reinterpret_cast<RGNDATA*>(buffer.data()));
    return reinterpret_cast<RGNDATA*>(buffer.data())->rdh.nCount;
}

TEST(RegionFromMask, ShippedMaskGivesTheWholeRectangle) {
    const ScopedBitmap mask(LoadBitmapResource(IDB_NOTICE_MASK));
    ASSERT_TRUE(mask);
    const ScopedRegion region(RegionFromMask(mask.Get(), RGB(255, 255, 255), 0));
    ASSERT_TRUE(region);
    RECT box;
    EXPECT_EQ(GetRgnBox(region.Get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 376);
    EXPECT_EQ(box.bottom, 177);
}

TEST(RegionFromMask, ManyRectanglesAreJoinedAcrossBatches) {
    // A 1-pixel checkerboard: 100 runs in each of 100 rows, five batches of 2000.
    const ScopedBitmap mask =
        MakeMask(200, 100, [](int x, int y) { return (x + y) % 2 == 0 ? 0x000000u : 0xFFFFFFu; });
    const ScopedRegion region(RegionFromMask(mask.Get(), RGB(255, 255, 255), 0));
    ASSERT_TRUE(region);
    EXPECT_EQ(RectCount(region.Get()), 10000u);
    for (int y = 0; y < 100; y += 7) {
        for (int x = 0; x < 200; x += 3)
            EXPECT_EQ(PtInRegion(region.Get(), x, y) != 0, (x + y) % 2 == 0) << x << "," << y;
    }
}

TEST(RegionFromMask, OnlyTheKeyColourWithinTheToleranceIsCut) {
    // Column 0 white, column 1 near white, column 2 black.
    const ScopedBitmap mask = MakeMask(3, 1, [](int x, int) {
        return x == 0 ? 0xFFFFFFu : x == 1 ? 0xFEFEFEu : 0x000000u;
    });
    const ScopedRegion exact(RegionFromMask(mask.Get(), RGB(255, 255, 255), 0));
    ASSERT_TRUE(exact);
    EXPECT_FALSE(PtInRegion(exact.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(exact.Get(), 1, 0));
    EXPECT_TRUE(PtInRegion(exact.Get(), 2, 0));
    const ScopedRegion wide(RegionFromMask(mask.Get(), RGB(254, 254, 254), RGB(1, 1, 1)));
    ASSERT_TRUE(wide);
    EXPECT_FALSE(PtInRegion(wide.Get(), 1, 0));
    EXPECT_TRUE(PtInRegion(wide.Get(), 2, 0));
    EXPECT_EQ(RegionFromMask(nullptr, RGB(255, 255, 255), 0), nullptr);
}

}  // namespace

#include "RasterTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<RECT> RectanglesOf(HRGN region)
{
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<uint8_t> data(size);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    GetRegionData(region, size, rgn);
    const auto* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
    return {rects, rects + rgn->rdh.nCount};
}

} // namespace

TEST(BitmapRegion, EveryRunOfVisiblePixelsIsPartOfTheRegion)
{
    // Transparency is judged by colour alone: the magenta-grey key with any alpha is outside.
    auto bitmap = MakeBitmap(6, 2, [](int x, int y) {
        if (y == 0) return x == 1 || x == 4 ? 0xFF7F007Fu : 0x00000000u;
        return kTransparentPixel;
    });
    TRegionHandle region = bitmap->BuildRegion(10, 20);
    ASSERT_TRUE(region);
    const auto rects = RectanglesOf(region.Get());
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(TRect(rects[0]), TRect(10, 20, 11, 21));
    EXPECT_EQ(TRect(rects[1]), TRect(12, 20, 14, 21));
    EXPECT_EQ(TRect(rects[2]), TRect(15, 20, 16, 21));
}

TEST(BitmapRegion, CheckerboardWithTwentyThousandRunsIsComplete)
{
    auto bitmap =
        MakeBitmap(200, 200, [](int x, int y) { return ((x + y) & 1) == 0 ? 0xFF000000u : kTransparentPixel; });
    TRegionHandle region = bitmap->BuildRegion(0, 0);
    ASSERT_TRUE(region);
    EXPECT_EQ(RectanglesOf(region.Get()).size(), 20000u);
    for (int y = 0; y < 200; y += 7)
        for (int x = 0; x < 200; x += 3)
            ASSERT_EQ(PtInRegion(region.Get(), x, y) != 0, ((x + y) & 1) == 0) << x << "," << y;
}

TEST(BitmapRegion, EmptyBitmapHasNoRegionAndInvisibleBitmapAnEmptyOne)
{
    TKsBitmap empty;
    EXPECT_FALSE(empty.BuildRegion(0, 0));
    auto invisible = MakeFilledBitmap(5, 5, kTransparentPixel);
    TRegionHandle region = invisible->BuildRegion(0, 0);
    ASSERT_TRUE(region);
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.Get(), &box), NULLREGION);
}

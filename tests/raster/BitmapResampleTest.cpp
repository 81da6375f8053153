#include "RasterTestSupport.h"
#include "skin/raster/KsBitmapResample.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;

std::unique_ptr<TKsBitmap> Resampled(const TKsBitmap& source, int width, int height, bool hardAlpha)
{
    auto target = MakeFilledBitmap(width, height, 0);
    ResampleRect(source, source.BoundsRect(), *target, target->BoundsRect(), hardAlpha);
    return target;
}

} // namespace

TEST(BitmapResample, EachTargetPixelIsTheCoverageWeightedMeanOfTheSourceUnderIt)
{
    // One and a half times: the middle pixel covers half of each source pixel.
    auto source = MakeBitmap(2, 1, [](int x, int) { return x == 0 ? kRed : kBlue; });
    auto target = Resampled(*source, 3, 1, false);
    EXPECT_EQ(target->Pixel(0, 0), kRed);
    EXPECT_EQ(target->Pixel(1, 0), 0xFF800080u); // 127.5 rounds to the even 128
    EXPECT_EQ(target->Pixel(2, 0), kBlue);
    // Twice the size in both directions keeps every pixel as a 2 x 2 block.
    auto twice = Resampled(*source, 4, 2, false);
    EXPECT_EQ(twice->Pixel(1, 1), kRed);
    EXPECT_EQ(twice->Pixel(2, 0), kBlue);
}

TEST(BitmapResample, TransparentPixelsGiveNoColourAndHardAlphaStaysHard)
{
    // A red pixel beside two transparent ones, made two-thirds as wide: the first target pixel is
    // two-thirds red and one third transparent.
    auto source = MakeBitmap(3, 1, [](int x, int) { return x == 0 ? kRed : kTransparentPixel; });
    auto soft = Resampled(*source, 2, 1, false);
    EXPECT_EQ(soft->Pixel(0, 0), 0xAAFF0000u); // red, not mixed with the key colour
    EXPECT_EQ(soft->Pixel(1, 0), kTransparentPixel);
    auto hard = Resampled(*source, 2, 1, true);
    EXPECT_EQ(hard->Pixel(0, 0), kRed);
    EXPECT_EQ(hard->Pixel(1, 0), kTransparentPixel);
    EXPECT_TRUE(HasHardAlpha(*source));
    EXPECT_FALSE(HasHardAlpha(*soft));
}

TEST(BitmapResample, OnlyTheSourceRectangleIsReadAndOnlyTheTargetRectangleWritten)
{
    auto source = MakeBitmap(4, 1, [](int x, int) { return x < 2 ? kRed : kBlue; });
    auto target = MakeFilledBitmap(5, 1, 0xFF00FF00u);
    ResampleRect(*source, TRect(0, 0, 2, 1), *target, TRect(1, 0, 4, 1), false);
    EXPECT_EQ(target->Pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(target->Pixel(3, 0), kRed); // the blue beside the rectangle does not bleed in
    EXPECT_EQ(target->Pixel(4, 0), 0xFF00FF00u);
    EXPECT_EQ(ScaledCell(TRect(0, 23, 20, 46), 144), TRect(0, 34, 30, 69));
}

TEST(BitmapOutline, AFocusRectOfLargerDotsIsABandOfCheckeredDotsThatUndoesItself)
{
    auto bitmap = MakeFilledBitmap(8, 8, 0xFF000000u);
    bitmap->DrawFocusRect(TRect(0, 0, 8, 8), 2);
    auto inverted = [&](int x, int y) { return bitmap->Pixel(x, y) == 0xFFFFFFFFu; };
    EXPECT_TRUE(inverted(0, 0) && inverted(1, 1) && inverted(1, 0)); // one 2 x 2 dot
    EXPECT_FALSE(inverted(2, 0) || inverted(3, 1));                  // then a 2 x 2 gap
    EXPECT_TRUE(inverted(4, 0) && inverted(7, 7));
    EXPECT_FALSE(inverted(0, 3));
    EXPECT_TRUE(inverted(1, 4) && inverted(6, 2));  // both sides, two pixels wide
    EXPECT_FALSE(inverted(2, 4) || inverted(5, 4)); // nothing inside the band
    bitmap->DrawFocusRect(TRect(0, 0, 8, 8), 2);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(bitmap->Pixel(x, y), 0xFF000000u);
}

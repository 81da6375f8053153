#include "RasterTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> RowOf(const TKsBitmap& bitmap, int y)
{
    std::vector<uint32_t> row;
    for (int x = 0; x < bitmap.Width(); ++x) row.push_back(bitmap.Pixel(x, y));
    return row;
}

constexpr uint32_t kGround = 0xFF101010u;

} // namespace

TEST(BitmapDraw, CopyClipsAgainstBothBitmaps)
{
    auto source = MakeBitmap(4, 4, Marker);
    auto target = MakeFilledBitmap(5, 5, kGround);
    source->Draw(*target, 3, -2);
    // Source rows 2 and 3, columns 0 and 1, land at target rows 0 and 1, columns 3 and 4.
    EXPECT_EQ(target->Pixel(3, 0), Marker(0, 2));
    EXPECT_EQ(target->Pixel(4, 1), Marker(1, 3));
    EXPECT_EQ(target->Pixel(2, 0), kGround);
    EXPECT_EQ(target->Pixel(3, 2), kGround);
}

TEST(BitmapDraw, SourceRectangleReachingOutsideKeepsThePlacesOfExistingPixels)
{
    auto source = MakeBitmap(4, 4, Marker);
    for (bool alpha : {false, true}) {
        source->SetAlphaBlend(alpha);
        auto target = MakeFilledBitmap(6, 6, kGround);
        source->Draw(*target, 1, 1, TRect(-2, -1, 2, 2));
        EXPECT_EQ(target->Pixel(3, 2), Marker(0, 0)) << alpha;
        EXPECT_EQ(target->Pixel(4, 3), Marker(1, 1)) << alpha;
        EXPECT_EQ(target->Pixel(1, 1), kGround) << alpha;
        EXPECT_EQ(target->Pixel(5, 2), kGround) << alpha;
    }
}

TEST(BitmapDraw, TransparentPixelsAreSkippedInAlphaModeAndCopiedOtherwise)
{
    auto source = MakeFilledBitmap(3, 3, kTransparentPixel);
    auto target = MakeFilledBitmap(3, 3, kGround);
    source->SetAlphaBlend(true);
    source->Draw(*target, 0, 0);
    EXPECT_EQ(target->Pixel(1, 1), kGround);
    source->SetAlphaBlend(false);
    source->Draw(*target, 0, 0);
    EXPECT_EQ(target->Pixel(1, 1), kTransparentPixel);
}

TEST(BitmapDraw, AlphaModeBlendsMixedAlphas)
{
    auto source = MakeBitmap(3, 1, [](int x, int) {
        return x == 0 ? 0xFF0000FFu : x == 1 ? 0x80FFFFFFu : 0x00FFFFFFu;
    });
    auto target = MakeFilledBitmap(3, 1, 0xFF000000u);
    source->SetAlphaBlend(true);
    source->Draw(*target, 0, 0);
    EXPECT_EQ(RowOf(*target, 0), (std::vector<uint32_t>{0xFF0000FFu, 0xBF808080u, 0xFF000000u}));
}

TEST(BitmapDraw, DrawingOntoItselfReadsTheOriginalPixels)
{
    auto bitmap = MakeBitmap(6, 1, Marker);
    bitmap->Draw(*bitmap, 2, 0, TRect(0, 0, 4, 1));
    EXPECT_EQ(RowOf(*bitmap, 0), (std::vector<uint32_t>{Marker(0, 0), Marker(1, 0), Marker(0, 0), Marker(1, 0),
                                                         Marker(2, 0), Marker(3, 0)}));
}

TEST(BitmapStretch, AlphaModeTakesTheNearestPixelIn16Dot16)
{
    auto source = MakeBitmap(3, 2, Marker);
    source->SetAlphaBlend(true);
    auto target = MakeFilledBitmap(7, 4, kGround);
    source->DrawStretched(*target, TRect(0, 0, 7, 4), TRect(0, 0, 3, 2));
    // Step 3 * 65536 / 7: columns 0, 0, 0, 1, 1, 2, 2.
    EXPECT_EQ(RowOf(*target, 0), (std::vector<uint32_t>{Marker(0, 0), Marker(0, 0), Marker(0, 0), Marker(1, 0),
                                                         Marker(1, 0), Marker(2, 0), Marker(2, 0)}));
    EXPECT_EQ(target->Pixel(4, 1), Marker(1, 0));
    EXPECT_EQ(target->Pixel(4, 2), Marker(1, 1));
}

TEST(BitmapStretch, ClippedDestinationStartsWithThe65535Offset)
{
    auto source = MakeBitmap(4, 1, Marker);
    source->SetAlphaBlend(true);
    auto target = MakeFilledBitmap(4, 1, kGround);
    // Destination 8 wide starting 3 left of the target: the start offset is 4 * 3 * 65535 / 8 =
    // 98302, just below 1.5, so the columns are 1, 1, 2, 2 (with 65536 they would be 1, 2, 2, 3).
    source->DrawStretched(*target, TRect(-3, 0, 5, 1), TRect(0, 0, 4, 1));
    EXPECT_EQ(RowOf(*target, 0), (std::vector<uint32_t>{Marker(1, 0), Marker(1, 0), Marker(2, 0), Marker(2, 0)}));
}

TEST(BitmapStretch, SourceReachingOutsideDrawsOnlyWhatExists)
{
    auto source = MakeBitmap(2, 1, Marker);
    for (bool alpha : {false, true}) {
        source->SetAlphaBlend(alpha);
        auto target = MakeFilledBitmap(8, 2, kGround);
        source->DrawStretched(*target, TRect(0, 0, 8, 2), TRect(-2, 0, 2, 1));
        EXPECT_EQ(RowOf(*target, 0), (std::vector<uint32_t>{kGround, kGround, kGround, kGround, Marker(0, 0),
                                                            Marker(0, 0), Marker(1, 0), Marker(1, 0)}))
            << alpha;
        EXPECT_EQ(RowOf(*target, 1), RowOf(*target, 0)) << alpha;
    }
}

TEST(BitmapStretch, CopyModeUsesThePlatformStretch)
{
    auto source = MakeBitmap(2, 2, Marker);
    auto target = MakeFilledBitmap(4, 4, kGround);
    source->DrawStretched(*target, TRect(0, 0, 4, 4), TRect(0, 0, 2, 2));
    EXPECT_EQ(target->Pixel(0, 0), Marker(0, 0));
    EXPECT_EQ(target->Pixel(3, 0), Marker(1, 0));
    EXPECT_EQ(target->Pixel(3, 3), Marker(1, 1));
}

TEST(BitmapTile, TwentyWideTileFillsFortyFiveColumnsWithTwoAndAPart)
{
    auto source = MakeBitmap(20, 23, Marker);
    for (bool alpha : {false, true}) {
        source->SetAlphaBlend(alpha);
        auto target = MakeFilledBitmap(50, 25, kGround);
        source->DrawTiled(*target, TRect(0, 0, 45, 23), TRect(0, 0, 20, 23));
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 50; ++x)
                ASSERT_EQ(target->Pixel(x, y), x < 45 && y < 23 ? Marker(x % 20, y) : kGround)
                    << x << "," << y << " " << alpha;
    }
}

TEST(BitmapTile, PartialTilesUseTheTopLeftOfTheSource)
{
    auto source = MakeBitmap(10, 10, Marker);
    auto target = MakeFilledBitmap(10, 10, kGround);
    source->DrawTiled(*target, TRect(1, 1, 8, 6), TRect(2, 3, 6, 6));
    EXPECT_EQ(target->Pixel(1, 1), Marker(2, 3));
    EXPECT_EQ(target->Pixel(5, 4), Marker(2, 3));
    EXPECT_EQ(target->Pixel(7, 5), Marker(4, 4));
    EXPECT_EQ(target->Pixel(7, 6), kGround);
    EXPECT_EQ(target->Pixel(8, 1), kGround);
}

TEST(BitmapTile, SourceReachingOutsideDrawsOnlyWhatExistsOfEachTile)
{
    auto source = MakeBitmap(10, 2, Marker);
    source->SetAlphaBlend(true);
    auto target = MakeFilledBitmap(20, 2, kGround);
    source->DrawTiled(*target, TRect(0, 0, 20, 2), TRect(5, 0, 15, 2));
    for (int x = 0; x < 20; ++x) EXPECT_EQ(target->Pixel(x, 1), x % 10 < 5 ? Marker(5 + x % 10, 1) : kGround) << x;
}

TEST(BitmapPutUnder, CompositesThisBitmapOverTheBackground)
{
    auto layer =
        MakeBitmap(2, 2, [](int x, int y) { return y == 0 ? (x == 0 ? 0x00FFFFFFu : 0xFF0000FFu) : 0x80FFFFFFu; });
    auto background = MakeBitmap(4, 4, [](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x * 16 + y); });
    layer->PutUnder(*background, 0, 0, TRect(2, 1, 4, 3));
    EXPECT_EQ(layer->Pixel(0, 0), background->Pixel(2, 1));
    EXPECT_EQ(layer->Pixel(1, 0), 0xFF0000FFu);
    EXPECT_EQ(layer->Pixel(0, 1), 0xBF808080u + ((background->Pixel(2, 2) & 0xFF) * 127 + 128) / 256);
}

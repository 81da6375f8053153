#include "RasterTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kGround = 0xFF101010u;

std::vector<uint32_t> BlueOfRow(const TKsBitmap& bitmap, int y)
{
    std::vector<uint32_t> blue;
    for (int x = 0; x < bitmap.Width(); ++x) blue.push_back(bitmap.Pixel(x, y) & 0xFF);
    return blue;
}

} // namespace

TEST(BitmapFill, FillRectSetsInCopyModeAndBlendsInAlphaMode)
{
    auto bitmap = MakeFilledBitmap(4, 4, 0xFF000000u);
    bitmap->FillRect(TRect(-5, -5, 2, 2), 0x80FFFFFFu);
    EXPECT_EQ(bitmap->Pixel(1, 1), 0x80FFFFFFu);
    EXPECT_EQ(bitmap->Pixel(2, 1), 0xFF000000u);
    bitmap->SetAlphaBlend(true);
    bitmap->FillRect(TRect(2, 2, 9, 9), 0x80FFFFFFu);
    EXPECT_EQ(bitmap->Pixel(3, 3), 0xBF808080u);
}

TEST(BitmapFrame, TopAndLeftStopOnePixelShortOfTheFarCorners)
{
    auto bitmap = MakeFilledBitmap(6, 6, kGround);
    const uint32_t a = 0xFFAAAAAAu, b = 0xFFBBBBBBu;
    bitmap->FrameRect(TRect(0, 0, 4, 4), a, b);
    EXPECT_EQ(bitmap->Pixel(2, 0), a);
    EXPECT_EQ(bitmap->Pixel(3, 0), b);
    EXPECT_EQ(bitmap->Pixel(0, 2), a);
    EXPECT_EQ(bitmap->Pixel(0, 3), b);
    EXPECT_EQ(bitmap->Pixel(3, 3), b);
    EXPECT_EQ(bitmap->Pixel(1, 1), kGround);
    EXPECT_EQ(bitmap->Pixel(4, 0), kGround);
    // Frames always blend, whatever the alpha mode.
    bitmap->FrameRect(TRect(0, 0, 6, 6), 0x00FFFFFFu);
    EXPECT_EQ(bitmap->Pixel(5, 5), kGround);
}

TEST(BitmapFill, CheckerPutsTheDotWhereXAndYHaveTheSameParity)
{
    auto bitmap = MakeFilledBitmap(4, 4, kGround);
    bitmap->CheckerFill(TRect(1, 1, 4, 3), 1, 2);
    EXPECT_EQ(bitmap->Pixel(1, 1), 2u);
    EXPECT_EQ(bitmap->Pixel(2, 1), 1u);
    EXPECT_EQ(bitmap->Pixel(2, 2), 2u);
    EXPECT_EQ(bitmap->Pixel(0, 0), kGround);
}

TEST(BitmapGradient, NarrowGradientHasOneBandPerPixelAndRoundsHalvesToEven)
{
    auto bitmap = MakeFilledBitmap(6, 1, kGround);
    bitmap->GradientFill(TRect(1, 0, 5, 1), 0xFF000000u, 0xFF000002u, false);
    // k * 2 / 4 for k = 0..3: 0, 0.5, 1, 1.5.
    EXPECT_EQ(BlueOfRow(*bitmap, 0), (std::vector<uint32_t>{0x10, 0, 0, 1, 2, 0x10}));
    bitmap->GradientFill(TRect(1, 0, 5, 1), 0xFF000002u, 0xFF000000u, false);
    EXPECT_EQ(BlueOfRow(*bitmap, 0), (std::vector<uint32_t>{0x10, 2, 2, 1, 0, 0x10}));
}

TEST(BitmapGradient, WideGradientHas255BandsWithEveryChannelStepping)
{
    auto bitmap = MakeFilledBitmap(1, 520, kGround);
    bitmap->GradientFill(TRect(0, 5, 1, 515), 0x00000000u, 0xFFFFFFFFu, true);
    EXPECT_EQ(bitmap->Pixel(0, 4), kGround);
    for (int y = 5; y < 515; ++y) ASSERT_EQ(bitmap->Pixel(0, y), static_cast<uint32_t>((y - 5) / 2) * 0x01010101u) << y;
    EXPECT_EQ(bitmap->Pixel(0, 515), kGround);
}

TEST(BitmapOutline, FocusRectInvertsEveryOtherPixelAndUndoesItself)
{
    auto bitmap = MakeFilledBitmap(5, 5, 0x80123456u);
    bitmap->DrawFocusRect(TRect(0, 0, 5, 5));
    EXPECT_EQ(bitmap->Pixel(0, 0), 0x80EDCBA9u);
    EXPECT_EQ(bitmap->Pixel(1, 0), 0x80123456u);
    EXPECT_EQ(bitmap->Pixel(4, 2), 0x80EDCBA9u);
    EXPECT_EQ(bitmap->Pixel(2, 2), 0x80123456u);
    bitmap->DrawFocusRect(TRect(0, 0, 5, 5));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(bitmap->Pixel(x, y), 0x80123456u);
}

TEST(BitmapOutline, LinesStopBeforeTheirEndPoint)
{
    auto bitmap = MakeFilledBitmap(4, 4, 0);
    bitmap->MoveTo(0, 0);
    bitmap->LineTo(3, 3, 7);
    bitmap->LineTo(3, 0, 9);
    EXPECT_EQ(bitmap->Pixel(1, 1), 7u);
    EXPECT_EQ(bitmap->Pixel(2, 2), 7u);
    EXPECT_EQ(bitmap->Pixel(3, 3), 9u);
    EXPECT_EQ(bitmap->Pixel(3, 1), 9u);
    EXPECT_EQ(bitmap->Pixel(3, 0), 0u);
}

TEST(BitmapOutline, PolygonAndRoundRectFillTheirInside)
{
    auto bitmap = MakeFilledBitmap(20, 20, 0);
    const TPoint triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    bitmap->Polygon(triangle, 5);
    EXPECT_EQ(bitmap->Pixel(1, 1), 5u);
    EXPECT_EQ(bitmap->Pixel(8, 8), 0u);
    bitmap->RoundRect(TRect(10, 10, 20, 20), 8, 6);
    EXPECT_EQ(bitmap->Pixel(15, 15), 6u);
    EXPECT_EQ(bitmap->Pixel(10, 10), 0u);
}

// GDI writes alpha 0 into the pixels of text; the bitmap makes those opaque and leaves the others.
TEST(BitmapText, TextPixelsBecomeOpaqueAndTheRestKeepTheirAlpha)
{
    auto bitmap = MakeFilledBitmap(60, 30, 0x40FFFFFFu);
    TFont font;
    font.SetColor(clBlack);
    font.SetHeight(-20);
    bitmap->SetFont(font);
    bitmap->DrawText(L"Hx", TRect(5, 5, 55, 25), DT_SINGLELINE | DT_LEFT | DT_TOP);
    int opaque = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            const uint32_t p = bitmap->Pixel(x, y);
            if (p >> 24 == 0xFF) {
                ++opaque;
                EXPECT_NE(p & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
                EXPECT_TRUE(x >= 5 && x < 55 && y >= 5 && y < 25) << x << "," << y;
            } else {
                ASSERT_EQ(p, 0x40FFFFFFu) << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 20);
}

TEST(BitmapText, MeasuresWithItsOwnFontAndNothingWhenEmpty)
{
    TKsBitmap empty;
    EXPECT_EQ(empty.TextWidth(L"abc"), 0);
    EXPECT_EQ(empty.TextHeight(L"abc"), 0);

    auto bitmap = MakeFilledBitmap(4, 4, 0);
    const int small = bitmap->TextWidth(L"WWWW");
    TFont big;
    big.SetHeight(-40);
    bitmap->SetFont(big);
    EXPECT_GT(bitmap->TextWidth(L"WWWW"), small);
    EXPECT_GE(bitmap->TextHeight(L"Pq"), 40);
}

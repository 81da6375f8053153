#include "RasterTestSupport.h"

#include "skin/raster/KsPlainFrames.h"

#include <gtest/gtest.h>

TEST(ColourConversion, PixelsAndColoursSwapRedAndBlue)
{
    EXPECT_EQ(ColorToPixel(static_cast<TColor>(RGB(1, 2, 3))), 0xFF010203u);
    EXPECT_EQ(ColorToPixel(static_cast<TColor>(RGB(1, 2, 3)), 0x40), 0x40010203u);
    EXPECT_EQ(PixelToColor(0x80010203u), static_cast<TColor>(RGB(1, 2, 3)));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelToColor(ColorToPixel(clBtnFace)), static_cast<TColor>(face));
    EXPECT_EQ(MakePixel(-4, 300, 17, 9), 0x0900FF11u);
}

TEST(RectPlacement, CentringTruncatesTowardZero)
{
    EXPECT_EQ(RectAtLeftCentered(TRect(0, 0, 4, 3), TRect(10, 10, 30, 20)), TRect(10, 13, 14, 16));
    EXPECT_EQ(RectCentered(TRect(0, 0, 4, 3), TRect(10, 10, 31, 20)), TRect(18, 13, 22, 16));
    // A larger rectangle hangs out by the truncated half: (2 - 5) / 2 is -1.
    EXPECT_EQ(RectCentered(TRect(0, 0, 5, 5), TRect(0, 0, 2, 2)), TRect(-1, -1, 4, 4));
}

TEST(ShortenText, KeepsFittingTextAndEndsCutTextInAnEllipsis)
{
    auto bitmap = MakeFilledBitmap(4, 4, 0);
    HDC dc = bitmap->DC();
    TSelectObject font(dc, bitmap->Font().Handle());
    const std::wstring text = L"Folvane Tool";
    const int full = bitmap->TextWidth(text);
    EXPECT_EQ(ShortenText(dc, text, full), text);
    const std::wstring cut = ShortenText(dc, text, full - 1);
    ASSERT_GT(cut.size(), 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), L"...");
    EXPECT_EQ(text.substr(0, cut.size() - 3), cut.substr(0, cut.size() - 3));
    EXPECT_LE(bitmap->TextWidth(cut), full - 1);
    EXPECT_GT(bitmap->TextWidth(text.substr(0, cut.size() - 2) + L"..."), full - 1);
    EXPECT_EQ(ShortenText(dc, text, 1), L"...");
}

TEST(PlainFrames, RaisedFrameHasLightOutsideAndHighlightInside)
{
    auto bitmap = MakeFilledBitmap(6, 6, 0);
    DrawRaisedFrame(*bitmap, TRect(0, 0, 6, 6));
    EXPECT_EQ(bitmap->Pixel(0, 0), ColorToPixel(cl3DLight));
    EXPECT_EQ(bitmap->Pixel(5, 5), ColorToPixel(cl3DDkShadow));
    EXPECT_EQ(bitmap->Pixel(1, 1), ColorToPixel(clBtnHighlight));
    EXPECT_EQ(bitmap->Pixel(4, 4), ColorToPixel(clBtnShadow));
    EXPECT_EQ(bitmap->Pixel(2, 2), ColorToPixel(clBtnFace));
    DrawFlatFrame(*bitmap, TRect(0, 0, 6, 6));
    EXPECT_EQ(bitmap->Pixel(0, 0), ColorToPixel(clBtnShadow));
    EXPECT_EQ(bitmap->Pixel(1, 1), ColorToPixel(clBtnFace));
}

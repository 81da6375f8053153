#include "RasterTestSupport.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <string>

TEST(BitmapSize, NegativeSidesCountAsTheirAbsoluteValue)
{
    TKsBitmap bitmap;
    bitmap.SetSize(-10, 5);
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.Height(), 5);
    EXPECT_FALSE(bitmap.Empty());
    EXPECT_NE(bitmap.DC(), nullptr);
}

TEST(BitmapSize, ZeroSideOrSameSizeChangesNothing)
{
    TKsBitmap bitmap;
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.DC(), nullptr);

    bitmap.SetSize(4, 3);
    uint32_t* bits = bitmap.Bits();
    int resizes = 0;
    bitmap.OnAfterResize = [&] { ++resizes; };
    bitmap.SetSize(4, 3);
    bitmap.SetSize(7, 0);
    EXPECT_EQ(resizes, 0);
    EXPECT_EQ(bitmap.Bits(), bits);
}

TEST(BitmapSize, HooksRunAroundEveryReallocationAndAtDestruction)
{
    std::wstring events;
    {
        TKsBitmap bitmap;
        bitmap.OnBeforeRelease = [&] { events += L"R" + std::to_wstring(bitmap.Width()); };
        bitmap.OnAfterResize = [&] { events += L"A" + std::to_wstring(bitmap.Width()); };
        bitmap.SetSize(3, 3);
        bitmap.SetSize(5, 3);
        bitmap.OnAfterResize = nullptr;
    }
    EXPECT_EQ(events, L"R0A3R3A5R5");
}

TEST(BitmapSize, RefusedAllocationLeavesTheBitmapEmptyAndStillNotifies)
{
    TKsBitmap bitmap;
    bitmap.SetSize(8, 8);
    int resizes = 0;
    bitmap.OnAfterResize = [&] { ++resizes; };
    try {
        bitmap.SetSize(1 << 30, 1 << 30);
        FAIL() << "no error";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), L"Can't allocate the DIB handle");
    }
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(resizes, 1);
}

TEST(BitmapPixels, OutsideReadsAreOpaqueBlackAndOutsideWritesAreIgnored)
{
    TKsBitmap empty;
    EXPECT_EQ(empty.Pixel(0, 0), kOutsidePixel);
    empty.SetPixel(0, 0, 1);

    auto bitmap = MakeFilledBitmap(3, 2, 0x11223344u);
    EXPECT_EQ(bitmap->Pixel(-1, 0), 0xFF000000u);
    EXPECT_EQ(bitmap->Pixel(3, 0), 0xFF000000u);
    EXPECT_EQ(bitmap->Pixel(0, 2), 0xFF000000u);
    bitmap->SetPixel(-1, 0, 0);
    bitmap->SetPixel(0, 2, 0);
    bitmap->SetPixel(2, 1, 0xAABBCCDDu);
    EXPECT_EQ(bitmap->Pixel(2, 1), 0xAABBCCDDu);
    EXPECT_EQ(bitmap->Pixel(0, 0), 0x11223344u);
}

TEST(BitmapPixels, AlphaAndKeyColourChangeOnlyWhatTheyName)
{
    auto bitmap = MakeBitmap(4, 4, [](int x, int y) { return x == y ? 0x80FF00FFu : 0xFFFF00FEu; });
    bitmap->ReplaceKeyColor(clFuchsia);
    EXPECT_EQ(bitmap->Pixel(1, 1), kTransparentPixel);
    EXPECT_EQ(bitmap->Pixel(1, 0), 0xFFFF00FEu);

    bitmap->SetAlpha(0x40, TRect(2, 2, 10, 10));
    EXPECT_EQ(bitmap->Pixel(3, 2), 0x40FF00FEu);
    EXPECT_EQ(bitmap->Pixel(1, 2), 0xFFFF00FEu);
    bitmap->SetAlpha(0xFF);
    EXPECT_EQ(bitmap->Pixel(0, 0), 0xFF7F007Fu);
}

// The platform objects of a bitmap are released on resize, on destruction and after text and
// regions; a leak would show in the process's count of GDI objects. The first round lets the
// platform make its own lasting objects (screen and display-driver state) before counting.
TEST(BitmapResources, GdiObjectCountReturnsToWhereItWas)
{
    auto exercise = [] {
        TKsBitmap bitmap;
        for (int size = 1; size < 40; ++size) bitmap.SetSize(size, size + 1);
        bitmap.Fill(0xFFFFFFFFu);
        bitmap.DrawText(L"Text", TRect(0, 0, 39, 40), DT_SINGLELINE);
        EXPECT_GT(bitmap.TextWidth(L"Text"), 0);
        for (int i = 0; i < 10; ++i) EXPECT_TRUE(bitmap.BuildRegion(i, i));
        TBitmapHandle copy = bitmap.ToBitmap();
        TKsBitmap other;
        other.AssignFromBitmap(copy.Get());
        const TPoint triangle[] = {{0, 0}, {20, 0}, {0, 20}};
        bitmap.Polygon(triangle, 0xFF000000u);
        bitmap.RoundRect(TRect(0, 0, 30, 30), 6, 0xFF000000u);
    };
    exercise();
    const DWORD before = GdiObjectCount();
    {
        TKsBitmap live;
        live.SetSize(3, 3);
        EXPECT_EQ(GdiObjectCount(), before + 2) << "the count must see a bitmap's DIB section and DC";
    }
    for (int round = 0; round < 3; ++round) exercise();
    EXPECT_EQ(GdiObjectCount(), before);
}

#include "RasterTestSupport.h"

#include <gtest/gtest.h>

TEST(HueShift, RoundsTheHueStepHalfToEven)
{
    // The hue of (255, 3, 0) is exactly half a step: it rounds to step 0 and the green is lost.
    EXPECT_EQ(ShiftPixelHue(0xFFFF0300u, 0), 0xFFFF0000u);
    // (255, 15, 0) is 2.5 steps: step 2, green 12.
    EXPECT_EQ(ShiftPixelHue(0xFFFF0F00u, 0), 0xFFFF0C00u);
}

TEST(HueShift, HueCircleHas255Steps)
{
    EXPECT_EQ(ShiftPixelHue(0xFFFF0000u, -1), 0xFFFF0006u);
    EXPECT_EQ(ShiftPixelHue(0xFFFF0000u, 1), 0xFFFF0600u);
    EXPECT_EQ(ShiftPixelHue(0xFF0000FFu, 60), 0xFFFF0096u);
    EXPECT_EQ(ShiftPixelHue(0xFF0AC81Eu, 100), 0xFF5F0AC8u);
    for (uint32_t rgb : {0x804020u, 0x0AC81Eu, 0x12FE77u, 0xFF0000u, 0x3355AAu}) {
        const uint32_t unshifted = ShiftPixelHue(rgb, 0);
        EXPECT_EQ(ShiftPixelHue(rgb, 255), unshifted) << std::hex << rgb;
        EXPECT_EQ(ShiftPixelHue(rgb, -255), unshifted) << std::hex << rgb;
        EXPECT_EQ(ShiftPixelHue(rgb, 256), ShiftPixelHue(rgb, 1)) << std::hex << rgb;
    }
}

TEST(HueShift, GreysAndExactColoursSurviveAZeroShift)
{
    EXPECT_EQ(ShiftPixelHue(0xFF5A5A5Au, 77), 0xFF5A5A5Au);
    EXPECT_EQ(ShiftPixelHue(0xFF804020u, 0), 0xFF804020u);
    EXPECT_EQ(ShiftPixelHue(0xFF804020u, 200), 0xFF80207Du);
}

TEST(HueShift, BitmapShiftMakesVisiblePixelsOpaqueAndLeavesTransparentOnes)
{
    auto bitmap = MakeBitmap(3, 1, [](int x, int) {
        return x == 0 ? 0x00FF0000u : x == 1 ? 0x80804020u : 0x01FF0000u;
    });
    bitmap->ShiftHue(0);
    EXPECT_EQ(bitmap->Pixel(0, 0), 0x00FF0000u);
    EXPECT_EQ(bitmap->Pixel(1, 0), 0xFF804020u);
    EXPECT_EQ(bitmap->Pixel(2, 0), 0xFFFF0000u);
}

TEST(HueShift, ColoursResolveSystemColoursAndStayPlainRgb)
{
    EXPECT_EQ(ShiftColorHue(clRed, 1), static_cast<TColor>(RGB(255, 6, 0)));
    const COLORREF window = ColorToRGB(clWindow);
    EXPECT_EQ(ShiftColorHue(clWindow, 255), ShiftColorHue(static_cast<TColor>(window), 0));
    EXPECT_GE(ShiftColorHue(clWindow, 3), 0);
}

#include "skin/raster/KsPixelKernels.h"
#include "skinwin/KsEffects.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kBackground = 0xFF102030;
constexpr uint32_t kImage = 0xFFC0B0A0;

// A background and a window image of 10 x 8; the image's top-left pixel lies outside the window.
struct TPictures {
    TKsBitmap Background;
    TKsBitmap Image;
    TKsBitmap Out;
    TPictures(int width = 10, int height = 8)
    {
        Background.SetSize(width, height);
        Background.Fill(kBackground);
        Image.SetSize(width, height);
        Image.Fill(kImage);
        Image.SetPixel(0, 0, kTransparentPixel);
    }
};

uint32_t Faded(uint32_t opacity) { return BlendPixel((opacity << 24) | (kImage & 0x00FFFFFF), kBackground); }

} // namespace

TEST(ShowEffects, FadeRunsFromOpacity15To255AndKeepsPixelsOutsideTheWindow)
{
    TPictures p;
    ComposeFadeFrame(p.Out, p.Background, p.Image, 0, 400);
    EXPECT_EQ(p.Out.Pixel(5, 5), Faded(15));
    EXPECT_EQ(p.Out.Pixel(0, 0), kBackground);
    // 100 of 400 ms: 60 + 15.
    ComposeFadeFrame(p.Out, p.Background, p.Image, 100, 400);
    EXPECT_EQ(p.Out.Pixel(5, 5), Faded(75));
    // 1 of 480 ms is half a step: rounded to the even 0.
    ComposeFadeFrame(p.Out, p.Background, p.Image, 1, 480);
    EXPECT_EQ(p.Out.Pixel(5, 5), Faded(15));
    // 3 of 480 ms is one and a half steps: rounded to the even 2.
    ComposeFadeFrame(p.Out, p.Background, p.Image, 3, 480);
    EXPECT_EQ(p.Out.Pixel(5, 5), Faded(17));
    ComposeFadeFrame(p.Out, p.Background, p.Image, 400, 400);
    EXPECT_EQ(p.Out.Pixel(5, 5), kImage);
    EXPECT_EQ(p.Out.Pixel(0, 0), kBackground);
}

TEST(ShowEffects, SlideMovesTheImageInFromItsSideByTheShareOfTimeLeft)
{
    TPictures p;
    // Half the time: half the width still to come from the right.
    ComposeSlideFrame(p.Out, p.Background, p.Image, sdFromRight, 200, 400);
    EXPECT_EQ(p.Out.Pixel(4, 3), kBackground);
    EXPECT_EQ(p.Out.Pixel(5, 3), kImage);
    EXPECT_EQ(p.Out.Pixel(5, 0), kBackground); // the image's transparent corner moved here
    ComposeSlideFrame(p.Out, p.Background, p.Image, sdFromTopLeft, 100, 400);
    // Three quarters to go: 7.5 and 6 pixels up and left, the half rounded to the even 8; only the
    // image's bottom-right 2 x 2 pixels are in.
    EXPECT_EQ(p.Out.Pixel(1, 1), kImage);
    EXPECT_EQ(p.Out.Pixel(2, 1), kBackground);
    EXPECT_EQ(p.Out.Pixel(1, 2), kBackground);
    ComposeSlideFrame(p.Out, p.Background, p.Image, sdFromBottom, 400, 400);
    EXPECT_EQ(p.Out.Pixel(9, 7), kImage);
    EXPECT_EQ(p.Out.Pixel(0, 0), kBackground);
}

TEST(ShowEffects, RectRevealsTheImageInPlaceFromTheCentreOrACorner)
{
    TPictures p(20, 10);
    ComposeRectFrame(p.Out, p.Background, p.Image, roCentre, 200, 400);
    // 10 x 5 in the middle: columns 5..14, rows 2..6.
    EXPECT_EQ(p.Out.Pixel(4, 5), kBackground);
    EXPECT_EQ(p.Out.Pixel(5, 5), kImage);
    EXPECT_EQ(p.Out.Pixel(14, 2), kImage);
    EXPECT_EQ(p.Out.Pixel(15, 5), kBackground);
    EXPECT_EQ(p.Out.Pixel(10, 1), kBackground);
    EXPECT_EQ(p.Out.Pixel(10, 7), kBackground);
    ComposeRectFrame(p.Out, p.Background, p.Image, roBottomRight, 100, 400);
    // 5 x 2.5, the half rounded to the even 2: columns 15..19, rows 8..9.
    EXPECT_EQ(p.Out.Pixel(15, 8), kImage);
    EXPECT_EQ(p.Out.Pixel(14, 8), kBackground);
    EXPECT_EQ(p.Out.Pixel(15, 7), kBackground);
}

TEST(ShowEffects, RandomBecomesOneOfTheThreeAnimations)
{
    for (int i = 0; i < 40; ++i) {
        TKsShowEffect effect = TKsShowEffect::Choose(kaRandom);
        EXPECT_TRUE(effect.Kind == kaFade || effect.Kind == kaSlide || effect.Kind == kaRect);
    }
    EXPECT_EQ(TKsShowEffect::Choose(kaSlide).Kind, kaSlide);
    EXPECT_EQ(TKsShowEffect::Choose(kaRect).StartTime(), 5);
    EXPECT_EQ(TKsShowEffect::Choose(kaFade).StartTime(), 0);
}

// Steps that take less than a millisecond are paced by the clock: the whole animation lasts its
// time (a generous lower bound) and ends on the complete image.
TEST(ShowEffects, AnAnimationOfFastStepsLastsItsTimeAndEndsOnTheImage)
{
    TPictures p(120, 80);
    TKsBitmap screen;
    screen.SetSize(120, 80);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    PlayShowEffect(TKsShowEffect::Choose(kaFade), screen.DC(), screen.BoundsRect(), p.Background, p.Image, 300);
    QueryPerformanceCounter(&end);
    const double milliseconds = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    EXPECT_GE(milliseconds, 250.0);
    GdiFlush();
    EXPECT_EQ(screen.Pixel(60, 40), kImage);
    EXPECT_EQ(screen.Pixel(0, 0), kBackground);
}

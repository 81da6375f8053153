#include "skinwin/KsFormResources.h"

#include <gtest/gtest.h>

TEST(FormResources, TheSystemMenuImagesAreSixSixteenPixelImagesMaskedByMagenta)
{
    const TCustomImageList& images = SystemMenuImages();
    EXPECT_EQ(images.Count(), 6);
    EXPECT_EQ(images.Width(), 16);
    EXPECT_EQ(images.Height(), 16);
    // Drawn over green, the background shows through where the image is magenta, and no magenta
    // is left; every image draws something.
    for (int index : {smiClose, smiMinimize, smiMaximize, smiRestore, smiRollup, smiTray}) {
        TKsBitmap canvas;
        canvas.SetSize(16, 16);
        canvas.Fill(0xFF00FF00);
        images.Draw(canvas.DC(), 0, 0, index, true);
        GdiFlush();
        EXPECT_EQ(canvas.Pixel(0, 0) & 0xFFFFFF, 0x00FF00u) << index;
        int drawn = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                uint32_t pixel = canvas.Pixel(x, y) & 0xFFFFFF;
                EXPECT_NE(pixel, 0xFF00FFu) << index;
                if (pixel != 0x00FF00u) ++drawn;
            }
        }
        EXPECT_GT(drawn, 10) << index;
    }
}

TEST(FormResources, ThePaintBufferIsTheScreenWithFiveHundredPixelsToSpare)
{
    const TKsBitmap& buffer = SharedPaintBuffer();
    EXPECT_EQ(buffer.Width(), GetSystemMetrics(SM_CXSCREEN) + 500);
    EXPECT_EQ(buffer.Height(), GetSystemMetrics(SM_CYSCREEN) + 500);
    EXPECT_EQ(&SharedPaintBuffer(), &buffer);
    EXPECT_NE(CaptionFont(), nullptr);
    EXPECT_NE(SmallCaptionFont(), nullptr);
}

#include "skinwin/KsFormResources.h"

#include <gtest/gtest.h>

TEST(FormResources, TheSystemMenuImagesAreSixSixteenPixelImagesMaskedByMagenta)
{
    HIMAGELIST images = SystemMenuImages();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 6);
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    // Drawn over green, the background shows through where the image is magenta, and no magenta
    // is left; every image draws something.
    for (int index : {smiClose, smiMinimize, smiMaximize, smiRestore, smiRollup, smiTray}) {
        TKsBitmap canvas;
        canvas.SetSize(16, 16);
        canvas.Fill(0xFF00FF00);
        ASSERT_TRUE(ImageList_Draw(images, index, canvas.DC(), 0, 0, ILD_TRANSPARENT));
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

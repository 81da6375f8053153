#include "framework/Messages.h"
#include "skinwin/KsFormResources.h"
#include "tests/skinwin/FrameFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class FormResources : public FrameTest {
protected:
    // The frame's pixels near its bottom-right corner, as the frame paints itself into a context.
    std::vector<uint32_t> BottomRightCorner()
    {
        const SIZE size = Frame->FrameSize();
        TKsBitmap target;
        target.SetSize(size.cx, size.cy);
        target.Fill(0);
        SendMessageW(Window(), CM_PAINTFRAMETO, 0, reinterpret_cast<LPARAM>(target.DC()));
        GdiFlush();
        std::vector<uint32_t> pixels;
        for (int y = size.cy - 6; y < size.cy; ++y)
            for (int x = size.cx - 6; x < size.cx; ++x) pixels.push_back(target.Pixel(x, y) & 0xFFFFFF);
        return pixels;
    }
};

} // namespace

TEST_F(FormResources, TheSystemMenuImagesAreSixSixteenPixelImagesMaskedByMagenta)
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

// A frame as much as 500 pixels larger than the screen in each direction (its size limits allow
// that) is painted whole: its far corner looks as a small frame's does.
TEST_F(FormResources, ThePaintBufferIsTheScreenWithFiveHundredPixelsToSpare)
{
    const TKsBitmap& buffer = SharedPaintBuffer();
    const int width = GetSystemMetrics(SM_CXSCREEN) + 500;
    const int height = GetSystemMetrics(SM_CYSCREEN) + 500;
    EXPECT_EQ(buffer.Width(), width);
    EXPECT_EQ(buffer.Height(), height);
    EXPECT_EQ(&SharedPaintBuffer(), &buffer);
    EXPECT_NE(CaptionFont(), nullptr);
    EXPECT_NE(SmallCaptionFont(), nullptr);

    Build(WithSetup([&](TSeSkinForm& frame) { frame.SetConstraints({0, 0, width, height}); }));
    const std::vector<uint32_t> small = BottomRightCorner();
    Frame->SetFormBounds(TRect::FromSize(-250, -250, width, height));
    ASSERT_EQ(Frame->FrameSize().cx, width);
    ASSERT_EQ(Frame->FrameSize().cy, height);
    EXPECT_EQ(BottomRightCorner(), small);
}

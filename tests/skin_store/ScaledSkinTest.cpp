#include "SkinFixtures.h"

#include "skin/engine/KsSkinEngine.h"
#include "skin/engine/KsSkinScaling.h"
#include "skin/objects/KsSkinObjects2.h"
#include "skin/raster/KsBitmapResample.h"

#include <gtest/gtest.h>

TEST(ScaledSkin, EveryLengthOfTheObjectsIsScaledWithoutRealigningAndTheLinksPointIntoItsOwnBitmaps)
{
    TSeSkinSource source(nullptr);
    FillSmallSkin(source);
    std::unique_ptr<TSeSkinSource> scaled = ScaledSkinSource(source, 144);

    TSeSkinObject& form = Part(*scaled, L"Form");
    EXPECT_EQ(form.Width(), 562); // 562.5 to the even neighbour
    EXPECT_EQ(form.Height(), 370);
    TSeSkinObject& caption = Part(*scaled, L"Form", L"Caption");
    EXPECT_EQ(caption.Height(), 12);
    EXPECT_EQ(caption.MarginLeft(), 4); // 4.5
    EXPECT_EQ(caption.Font().Height(), -16);
    EXPECT_EQ(static_cast<TSeActiveBitmap&>(caption).ActiveFont().Height(), -16);
    EXPECT_EQ(Part(*scaled, L"Form", L"CloseButton").Width(), 9);

    auto& face = static_cast<TSeButtonObject&>(Part(*scaled, L"Button", L"Face"));
    EXPECT_EQ(face.MarginLeft(), 3);
    EXPECT_EQ(face.Bitmap().Rect(), TRect(0, 0, 18, 8));
    EXPECT_EQ(face.BitmapHot().Rect(), TRect(0, 8, 18, 15));
    ASSERT_TRUE(face.Bitmap().Valid());
    EXPECT_EQ(face.Bitmap().Bitmap(), scaled->Bitmaps().Item(1));
    EXPECT_EQ(face.Bitmap().Bitmap()->Width(), 18);
    EXPECT_EQ(face.Bitmap().Bitmap()->Height(), 30);
    EXPECT_EQ(face.Bitmap().Bitmap()->Name(), L"BUTTON.bmp");
    // A tag is no length.
    form.SetTag(7);
    form.ScaleLengths(192);
    EXPECT_EQ(form.Tag(), 7);
    EXPECT_EQ(form.Width(), 1124);
    // The source is left as it was.
    EXPECT_EQ(Part(source, L"Form").Width(), 375);
    EXPECT_EQ(static_cast<TSeButtonObject&>(Part(source, L"Button", L"Face")).Bitmap().Rect(), TRect(0, 0, 12, 5));
}

namespace {

constexpr uint32_t red = 0xFFFF0000u, blue = 0xFF0000FFu, green = 0xFF00FF00u, yellow = 0xFFFFFF00u;

// A button of two states stacked in one bitmap of width x 2 * half: the normal state in the upper
// half, the hot state in the lower; the right column of pixels is transparent, as a window's outline.
void FillStatesSkin(TSeSkinSource& source, int width, int half, uint32_t normal, uint32_t hot)
{
    auto states = std::make_unique<TKsBitmap>();
    states->SetName(L"STATES.BMP");
    states->SetSize(width, 2 * half);
    for (int y = 0; y < 2 * half; ++y)
        for (int x = 0; x < width; ++x)
            states->SetPixel(x, y, x == width - 1 ? kTransparentPixel : y < half ? normal : hot);
    TKsBitmapList bitmaps;
    bitmaps.Add(std::move(states));
    std::vector<std::unique_ptr<TSeSkinObject>> objects;
    objects.emplace_back(MakeObject(nullptr, "TSeButtonObject", "Button",
                                    "  Bitmap.Name = 'STATES.BMP'\r\n  Bitmap.Right = 4\r\n  Bitmap.Bottom = 3\r\n"
                                    "  BitmapHot.Name = 'STATES.BMP'\r\n  BitmapHot.Top = 3\r\n"
                                    "  BitmapHot.Right = 4\r\n  BitmapHot.Bottom = 6\r\n"));
    source.Adopt(std::move(objects), std::move(bitmaps));
}

} // namespace

TEST(ScaledSkin, StatesStackedInOneBitmapAreResampledApartAndAHardOutlineStaysHard)
{
    TSeSkinSource source(nullptr);
    FillStatesSkin(source, 4, 3, red, blue);

    std::unique_ptr<TSeSkinSource> scaled = ScaledSkinSource(source, 144);
    const TKsBitmap& bitmap = *scaled->Bitmaps().Item(0);
    ASSERT_EQ(bitmap.Width(), 6);
    ASSERT_EQ(bitmap.Height(), 9);
    // The normal state ends at row 4 (4.5 to the even neighbour), where the hot state begins: the
    // row between them is not a mixture of both.
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 4; ++x) ASSERT_EQ(bitmap.Pixel(x, y), y < 4 ? red : blue) << x << ", " << y;
        ASSERT_EQ(bitmap.Pixel(5, y), kTransparentPixel) << y;
    }
    // The column that is partly outline, partly outside, is one or the other.
    EXPECT_TRUE(HasHardAlpha(bitmap));
}

TEST(ScaledSkin, TheArtDrawnAt200PercentGivesTheBitmapsWhenItHasThemAtTwiceTheSize)
{
    TSeSkinSource source(nullptr);
    FillStatesSkin(source, 4, 3, red, blue);
    TSeSkinSource art(nullptr);
    FillStatesSkin(art, 8, 6, green, yellow);

    // At 200 % the art itself, pixel for pixel.
    std::unique_ptr<TSeSkinSource> at200 = ScaledSkinSource(source, 192, &art);
    const TKsBitmap& doubled = *at200->Bitmaps().Item(0);
    ASSERT_EQ(doubled.Width(), 8);
    ASSERT_EQ(doubled.Height(), 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(doubled.Pixel(x, y), art.Bitmaps().Item(0)->Pixel(x, y)) << x << ", " << y;
    // At 175 % the art made smaller: the normal state ends at row 5 (5.25), the hot one at row 10 (10.5).
    std::unique_ptr<TSeSkinSource> at175 = ScaledSkinSource(source, 168, &art);
    const TKsBitmap& smaller = *at175->Bitmaps().Item(0);
    ASSERT_EQ(smaller.Height(), 10);
    for (int y = 0; y < 10; ++y) ASSERT_EQ(smaller.Pixel(2, y), y < 5 ? green : yellow) << y;

    // Art of another size is not the same drawing: the 96-DPI bitmap is enlarged instead.
    TSeSkinSource other(nullptr);
    FillStatesSkin(other, 8, 5, green, yellow);
    EXPECT_EQ(ScaledSkinSource(source, 192, &other)->Bitmaps().Item(0)->Pixel(0, 0), red);
}

TEST(ScaledSkin, TheEngineAnswersItsOwnSkinAt96AndKeepsAScaledCopyUntilTheSkinChanges)
{
    TSeSkinEngine engine(nullptr);
    FillSmallSkin(*engine.Source());
    EXPECT_EQ(engine.SourceForDpi(96), engine.Source());
    TSeSkinSource* scaled = engine.SourceForDpi(144);
    ASSERT_NE(scaled, engine.Source());
    EXPECT_EQ(engine.SourceForDpi(144), scaled);
    EXPECT_EQ(Part(*scaled, L"Form").Width(), 562);

    // A new hue is a new skin: the scaled copy is made again from it.
    const uint32_t before = scaled->Bitmaps().Item(1)->Pixel(9, 6);
    engine.SetDeltaHue(60);
    const uint32_t after = ScaledSkinSource(*engine.Source(), 144)->Bitmaps().Item(1)->Pixel(9, 6);
    ASSERT_NE(after, before);
    EXPECT_EQ(engine.SourceForDpi(144)->Bitmaps().Item(1)->Pixel(9, 6), after);
}

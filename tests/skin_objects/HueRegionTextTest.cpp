#include "SkinObjectsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr uint32_t kBackground = 0xFFFFFFFF;

TRect RegionBox(const TRegionHandle& region)
{
    RECT box{};
    GetRgnBox(region.Get(), &box);
    return TRect(box);
}

// The box around every pixel of the given value, or an empty box.
TRect PixelsOf(const TKsBitmap& bitmap, uint32_t value)
{
    TRect box{bitmap.Width(), bitmap.Height(), -1, -1};
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) == value) box = {std::min(box.Left, x), std::min(box.Top, y),
                                                    std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
    return box.IsEmpty() ? TRect{} : box;
}

std::unique_ptr<TSeSkinObject> TextObject(const std::wstring& text, TColor color, TSeTextAlign align)
{
    auto object = CreateTop(L"TSeSkinObject");
    TFont font;
    font.SetName(L"Arial");
    font.SetHeight(-14);
    font.SetColor(color);
    object->SetFont(font);
    object->SetText(text);
    object->SetTextAlign(align);
    object->SetBounds({0, 0, 120, 30});
    return object;
}

TKsBitmap& Drawn(TSeSkinObject& object, TKsBitmap& target)
{
    target.SetSize(object.Width(), object.Height());
    target.Fill(kBackground);
    object.Draw(target);
    return target;
}

} // namespace

TEST(SkinObjectHue, ShiftsColoursToPlainRgbInEveryClassThatOwnsThem)
{
    auto root = CreateTop<TSeActiveObject>(L"TSeActiveObject");
    root->SetColor(clRed);
    root->SetActiveColor(clRed);
    FindProperty(root->Properties(), L"ActiveFont")->Font(*root).SetColor(clRed);
    FindProperty(root->Properties(), L"Font")->Font(*root).SetColor(clWindowText);
    auto* text = Create<TSeTextObject>(L"TSeTextObject", root.get());
    FindProperty(text->Properties(), L"FontDisabled")->Font(*text).SetColor(clBlue);
    auto* colours = Create<TSeColorButtonObject>(L"TSeColorButtonObject", root.get());
    colours->SetColor(clLime);
    colours->SetHotColor(clRed);

    // 85 steps of the 255-step circle: red to green, green to blue, blue to red.
    root->ShiftHue(85);
    EXPECT_EQ(root->Color(), clLime);
    EXPECT_EQ(root->ActiveColor(), clLime);
    EXPECT_EQ(root->ActiveFont().Color(), clLime);
    EXPECT_EQ(root->Font().Color(), static_cast<TColor>(ColorToRGB(clWindowText)));
    EXPECT_EQ(text->FontDisabled().Color(), clRed);
    EXPECT_EQ(colours->Color(), clBlue);
    EXPECT_EQ(colours->HotColor(), clRed);
}

TEST(SkinObjectCharset, ReachesEveryFontOfTheTree)
{
    auto root = CreateTop<TSeActiveBitmap>(L"TSeActiveBitmap");
    auto* text = Create<TSeTextObject>(L"TSeTextObject", root.get());
    auto* colours = Create<TSeColorButtonObject>(L"TSeColorButtonObject", text);
    root->SetCharset(CHINESEBIG5_CHARSET);
    EXPECT_EQ(root->Font().Charset(), CHINESEBIG5_CHARSET);
    EXPECT_EQ(root->ActiveFont().Charset(), CHINESEBIG5_CHARSET);
    for (const TFont* f : {&text->FontHot(), &text->FontFocused(), &text->FontPressed(), &text->FontDisabled(),
                           &colours->HotFont(), &colours->PressedFont(), &colours->FocusedFont(),
                           &colours->DisabledFont(), &colours->Font()})
        EXPECT_EQ(f->Charset(), CHINESEBIG5_CHARSET);
}

TEST(SkinObjectRegion, TreeRegionIsTheUnionOfTheVisibleParts)
{
    auto root = CreateTop(L"TSeSkinObject");
    auto* a = Create(L"TSeSkinObject", root.get());
    a->SetBounds({0, 0, 10, 10});
    auto* b = Create(L"TSeSkinObject", root.get());
    b->SetBounds({20, 5, 30, 15});
    auto* hidden = Create(L"TSeSkinObject", root.get());
    hidden->SetBounds({0, 40, 50, 50});
    hidden->SetVisible(false);
    root->SetBounds({0, 0, 50, 50});

    TRegionHandle region = root->TreeRegion();
    ASSERT_TRUE(region);
    EXPECT_EQ(RegionBox(region), TRect(0, 0, 30, 15));
    EXPECT_TRUE(PtInRegion(region.Get(), 25, 10));
    EXPECT_FALSE(PtInRegion(region.Get(), 15, 5));

    root->SetDrawIfOwner(true);
    EXPECT_EQ(RegionBox(root->TreeRegion()), TRect(0, 0, 50, 50));
    root->SetBounds({0, 0, 0, 50});
    EXPECT_FALSE(root->TreeRegion());
}

TEST(SkinObjectRegion, BitmapPartsKeepTheirOpaquePixelsOnly)
{
    TKsBitmapList bitmaps;
    TKsBitmap* shape = bitmaps.Add(FilledBitmap(6, 4, kTransparentPixel));
    shape->SetName(L"SHAPE");
    shape->FillRect({2, 1, 4, 3}, 0xFF00FF00);
    auto part = CreateTop<TSeBitmapSkinObject>(L"TSeBitmapSkinObject");
    SetLink(part->Bitmap(), L"SHAPE", {0, 0, 6, 4});
    EXPECT_FALSE(part->Region());
    part->SetBitmaps(&bitmaps);
    part->AfterLoad();
    part->SetBounds({100, 50, 106, 54});

    TRegionHandle region = part->Region();
    ASSERT_TRUE(region);
    EXPECT_EQ(RegionBox(region), TRect(102, 51, 104, 53));
    EXPECT_EQ(part->BoundsRect(), TRect(100, 50, 106, 54));

    part->SetKind(skClient);
    EXPECT_EQ(RegionBox(part->Region()), TRect(100, 50, 106, 54));
}

TEST(SkinObjectText, DisabledTextIsGreyWhateverTheFontColour)
{
    TKsBitmap target;
    auto object = TextObject(L"WWW", clRed, taLeft);
    Drawn(*object, target);
    EXPECT_FALSE(PixelsOf(target, 0xFFFF0000).IsEmpty());
    object->SetEnabled(false);
    Drawn(*object, target);
    EXPECT_TRUE(PixelsOf(target, 0xFFFF0000).IsEmpty());
    EXPECT_FALSE(PixelsOf(target, 0xFF808080).IsEmpty());
}

TEST(SkinObjectText, AlignmentAndMarginsPlaceTheText)
{
    TKsBitmap target;
    auto topLeft = TextObject(L"Wg", clBlack, taTopLeft);
    topLeft->SetTextMarginLeft(10);
    topLeft->SetTextMarginTop(4);
    TRect box = PixelsOf(Drawn(*topLeft, target), 0xFF000000);
    EXPECT_GE(box.Left, 10);
    EXPECT_LT(box.Left, 14);
    EXPECT_GE(box.Top, 4);
    EXPECT_LT(box.Bottom, 22);

    auto bottomRight = TextObject(L"Wg", clBlack, taBottomRight);
    bottomRight->SetTextMarginRight(10);
    box = PixelsOf(Drawn(*bottomRight, target), 0xFF000000);
    EXPECT_LE(box.Right, 110);
    EXPECT_GT(box.Right, 105);
    EXPECT_GT(box.Top, 10);

    auto centred = TextObject(L"Wg", clBlack, taCenter);
    box = PixelsOf(Drawn(*centred, target), 0xFF000000);
    EXPECT_LE(std::abs((box.Left + box.Right) - 120), 4);
}

TEST(SkinObjectText, RightTextTakesTheMirroredSide)
{
    TKsBitmap target;
    auto object = TextObject(L"", clBlack, taLeft);
    object->SetRightText(L"Ctrl");
    TRect box = PixelsOf(Drawn(*object, target), 0xFF000000);
    EXPECT_GT(box.Left, 60);
    object->SetTextAlign(taTopRight);
    box = PixelsOf(Drawn(*object, target), 0xFF000000);
    EXPECT_LT(box.Right, 60);
}

TEST(SkinObjectText, ShadowIsTheTextInBlackOnePixelRightAndDown)
{
    TKsBitmap plain, shadowed;
    auto object = TextObject(L"Ab", clRed, taCenter);
    Drawn(*object, plain);
    object->SetTextEffect(teShadow);
    Drawn(*object, shadowed);
    int black = 0;
    for (int y = 1; y < 30; ++y)
        for (int x = 1; x < 120; ++x)
            if (shadowed.Pixel(x, y) == 0xFF000000) {
                ++black;
                EXPECT_EQ(plain.Pixel(x - 1, y - 1), 0xFFFF0000u) << x << "," << y;
            }
    EXPECT_GT(black, 0);
    EXPECT_EQ(PixelsOf(shadowed, 0xFFFF0000), PixelsOf(plain, 0xFFFF0000));
}

TEST(SkinObjectText, SeparatorIsOneLineInTheFontColour)
{
    TKsBitmap target;
    auto object = TextObject(L"-", clBlue, taLeft);
    object->SetBounds({0, 0, 40, 9});
    Drawn(*object, target);
    // Row 9 / 2 - 1 = 3, from 3 pixels inside the left edge to 3 pixels inside the right edge.
    EXPECT_EQ(PixelsOf(target, 0xFF0000FF), TRect(3, 3, 37, 4));
}

TEST(SkinObjectText, TitlesAreShortenedToTheRoomBetweenTheTextMargins)
{
    const std::wstring text = L"A caption far too long for the title bar";
    auto title = TextObject(text, clBlack, taLeft);
    title->SetKind(skTitle);
    title->SetTextMarginLeft(5);
    title->SetTextMarginRight(35);
    TKsBitmap drawnTitle;
    Drawn(*title, drawnTitle);

    std::wstring shortened;
    {
        TSelectObject font(drawnTitle.DC(), title->Font().Handle());
        shortened = ShortenText(drawnTitle.DC(), text, 120 - 5 - 35);
    }
    ASSERT_EQ(shortened.substr(shortened.size() - 3), L"...");
    auto plain = TextObject(shortened, clBlack, taLeft);
    plain->SetTextMarginLeft(5);
    plain->SetTextMarginRight(35);
    TKsBitmap drawnPlain;
    Drawn(*plain, drawnPlain);
    EXPECT_EQ(PixelsOf(drawnTitle, 0xFF000000), PixelsOf(drawnPlain, 0xFF000000));
    EXPECT_LE(PixelsOf(drawnTitle, 0xFF000000).Right, 85);
}

TEST(SkinObjectFonts, TextIsDrawnWithTheFontOfTheState)
{
    auto text = CreateTop<TSeTextObject>(L"TSeTextObject");
    const std::pair<const wchar_t*, int> textFonts[] = {
        {L"Font", ssNormal}, {L"FontHot", ssHot}, {L"FontPressed", ssPressed}, {L"FontFocused", ssFocused},
        {L"FontDisabled", ssDisabled}};
    for (auto [name, state] : textFonts) FindProperty(text->Properties(), name)->Font(*text).SetHeight(-10 - state);
    for (auto [name, state] : textFonts) {
        text->SetState(state);
        EXPECT_EQ(text->Font().Height(), -10 - state) << state;
    }

    auto active = CreateTop<TSeActiveObject>(L"TSeActiveObject");
    auto bitmap = CreateTop<TSeActiveBitmap>(L"TSeActiveBitmap");
    for (TSeSkinObject* o : std::initializer_list<TSeSkinObject*>{active.get(), bitmap.get()})
        FindProperty(o->Properties(), L"ActiveFont")->Font(*o).SetName(L"Active");
    const std::pair<int, bool> states[] = {{ssNormal, false}, {ssHot, true}, {ssPressed, true}, {ssFocused, true}};
    for (auto [state, activeFont] : states) {
        active->SetState(state);
        bitmap->SetState(state);
        EXPECT_EQ(active->Font().Name() == L"Active", activeFont) << state;
        EXPECT_EQ(bitmap->Font().Name() == L"Active", activeFont && state != ssPressed) << state;
    }
    active->SetState(ssNormal);
    active->SetActive(true);
    EXPECT_NE(active->Font().Name(), L"Active");
}

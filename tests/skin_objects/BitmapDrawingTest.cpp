#include "SkinObjectsTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kBackground = 0xFF102030;

struct TFaceCase {
    int state;
    int faceTop; // first row of the state's face in BUTTON.bmp
};

class ButtonFaceDrawing : public ::testing::TestWithParam<TFaceCase> {};

} // namespace

// A control's copy of "Button" whose Face gets the bounds 0, 0, 75, 25: 5-pixel corners copied, edges
// and centre stretched from the 20 x 23 face of the state (horizontal step 10 * 65536 / 65 = 10082,
// vertical step of the centre 13 * 65536 / 15 = 56797).
TEST_P(ButtonFaceDrawing, NineSlicesTheFaceOfTheState)
{
    TButtonSkin skin;
    std::unique_ptr<TSeSkinObject> copy(skin.button->Clone(nullptr));
    TSeSkinObject* face = copy->FindObjectByName(L"face");
    ASSERT_NE(face, nullptr);
    face->SetState(GetParam().state);
    face->SetBounds({0, 0, 75, 25});
    TKsBitmap target;
    target.SetSize(75, 25);
    target.Fill(kBackground);
    face->Draw(target);

    const int t = GetParam().faceTop;
    struct TExpect {
        int x, y, sx, sy;
    } expectations[] = {
        {0, 0, 0, 0},      {4, 4, 4, 4},       {74, 0, 19, 0},     {70, 4, 15, 4},    // top corners
        {0, 24, 0, 22},    {3, 21, 3, 19},     {74, 24, 19, 22},   {70, 20, 15, 18},  // bottom corners
        {5, 0, 5, 0},      {37, 1, 9, 1},      {69, 2, 14, 2},     {40, 22, 10, 20},  // top and bottom edges
        {2, 5, 2, 5},      {2, 12, 2, 11},     {72, 19, 17, 17},                      // left and right edges
        {5, 5, 5, 5},      {40, 12, 10, 11},   {69, 19, 14, 17},                      // centre
    };
    for (const TExpect& e : expectations)
        EXPECT_EQ(target.Pixel(e.x, e.y), Marker(e.sx, t + e.sy)) << "at " << e.x << "," << e.y;
}

INSTANTIATE_TEST_SUITE_P(States, ButtonFaceDrawing,
                         ::testing::Values(TFaceCase{ssNormal, 0}, TFaceCase{ssHot, 23}, TFaceCase{ssPressed, 46},
                                           TFaceCase{ssDisabled, 69}, TFaceCase{ssFocused, 92}));

TEST(ButtonObjectDrawing, StateLinkWithoutNameFallsBackToTheNormalFace)
{
    TButtonSkin skin;
    auto* face = static_cast<TSeButtonObject*>(skin.button->FindObjectByName(L"Face"));
    face->BitmapHot().SetName(L"");
    face->BitmapHot().SetBitmap(nullptr);
    face->SetState(ssHot);
    face->SetBounds({0, 0, 20, 23});
    TKsBitmap target;
    target.SetSize(20, 23);
    face->Draw(target);
    EXPECT_EQ(target.Pixel(10, 10), Marker(10, 10));
}

TEST(ButtonObjectDrawing, WholeTreeAlignsTheFaceAndLeavesTheRestAlone)
{
    TButtonSkin skin;
    skin.button->SetBounds({0, 0, 75, 25});
    TKsBitmap target;
    target.SetSize(80, 30);
    target.Fill(kBackground);
    skin.button->Draw(target);
    EXPECT_EQ(target.Pixel(74, 24), Marker(19, 22));
    EXPECT_EQ(target.Pixel(75, 25), kBackground);
}

TEST(BitmapObjectDrawing, TileStylesWithoutMargins)
{
    TKsBitmapList bitmaps;
    bitmaps.Add(MarkerBitmap(L"B", 20, 23));
    auto object = CreateTop<TSeBitmapObject>(L"TSeBitmapObject");
    SetLink(object->Bitmap(), L"B", {0, 0, 20, 23});
    object->SetBitmaps(&bitmaps);
    object->AfterLoad();
    TKsBitmap target;
    target.SetSize(50, 50);

    object->SetTileStyle(tsTile);
    object->SetBounds({0, 0, 45, 23});
    target.Fill(kBackground);
    object->Draw(target);
    EXPECT_EQ(target.Pixel(19, 0), Marker(19, 0));
    EXPECT_EQ(target.Pixel(20, 5), Marker(0, 5));
    EXPECT_EQ(target.Pixel(44, 22), Marker(4, 22));
    EXPECT_EQ(target.Pixel(45, 0), kBackground);

    // Centred unscaled: offsets (30 - 20) / 2 and (30 - 23) / 2 = 3.
    object->SetTileStyle(tsCenter);
    object->SetBounds({0, 0, 30, 30});
    target.Fill(kBackground);
    object->Draw(target);
    EXPECT_EQ(target.Pixel(5, 3), Marker(0, 0));
    EXPECT_EQ(target.Pixel(4, 3), kBackground);
    EXPECT_EQ(target.Pixel(24, 25), Marker(19, 22));

    // A larger link is centred with offsets truncated toward zero: (10 - 20) / 2 = -5, (9 - 23) / 2 = -7,
    // so the link's top-left lands at (5, 3).
    object->SetBounds({10, 10, 20, 19});
    target.Fill(kBackground);
    object->Draw(target);
    EXPECT_EQ(target.Pixel(10, 10), Marker(5, 7));
    EXPECT_EQ(target.Pixel(5, 3), Marker(0, 0));
}

TEST(BitmapObjectDrawing, CompositesByAlphaAndSwitchesAlphaModeOffAfterwards)
{
    TKsBitmapList bitmaps;
    TKsBitmap* source = bitmaps.Add(FilledBitmap(4, 4, 0x80FF0000));
    source->SetName(L"A");
    source->SetPixel(0, 0, 0x00FFFFFF);
    auto object = CreateTop<TSeBitmapObject>(L"TSeBitmapObject");
    SetLink(object->Bitmap(), L"a", {0, 0, 4, 4});
    object->SetBitmaps(&bitmaps);
    object->AfterLoad();
    object->SetBounds({0, 0, 4, 4});
    TKsBitmap target;
    target.SetSize(4, 4);
    target.Fill(0xFF0000FF);
    object->Draw(target);
    EXPECT_EQ(target.Pixel(0, 0), 0xFF0000FFu);
    // (0x80 * 0x80 + 128) >> 8 + (0xFF * 0x7F + 128) >> 8 = 0x40 + 0x7F in alpha; red 0x80, blue 0x7F.
    EXPECT_EQ(target.Pixel(1, 1), 0xBF80007Fu);
    EXPECT_FALSE(source->AlphaBlend());
}

TEST(BitmapObjectDrawing, EmptySourcePartsAreSkippedAndInvalidLinksDrawNothing)
{
    TKsBitmapList bitmaps;
    bitmaps.Add(MarkerBitmap(L"B", 10, 10));
    auto object = CreateTop<TSeBitmapObject>(L"TSeBitmapObject");
    object->SetBitmaps(&bitmaps);
    object->SetText(L"x");
    auto* child = Create(L"TSeSkinObject", object.get(), L"Child");
    child->SetBounds({0, 0, 5, 5});
    object->SetBounds({0, 0, 20, 20});
    TKsBitmap target;
    target.SetSize(20, 20);
    target.Fill(kBackground);
    object->Draw(target);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(target.Pixel(x, y), kBackground) << "unresolved link drew at " << x << "," << y;

    // Left margin 10 takes the whole width of the link: of the nine parts only the top-left corner and the
    // left edge (tiled 10 x 8 into 10 x 18) have source pixels.
    SetLink(object->Bitmap(), L"B", {0, 0, 10, 10});
    object->AfterLoad();
    object->SetMarginLeft(10);
    object->SetMarginTop(2);
    object->SetText(L"");
    child->SetVisible(false);
    object->Draw(target);
    EXPECT_EQ(target.Pixel(0, 0), Marker(0, 0));
    EXPECT_EQ(target.Pixel(9, 19), Marker(9, 3));
    EXPECT_EQ(target.Pixel(10, 10), kBackground);
}

TEST(BitmapObjectDrawing, StateVariantsPickTheirBitmaps)
{
    TKsBitmapList bitmaps;
    bitmaps.Add(MarkerBitmap(L"S", 4, 40));
    auto link = [](int row) { return TRect{0, row, 4, row + 4}; };
    TKsBitmap target;
    target.SetSize(4, 4);
    auto drawn = [&](TSeSkinObject& o) {
        target.Fill(kBackground);
        o.Draw(target);
        return static_cast<int>((target.Pixel(0, 0) >> 8) & 0xFF);
    };

    auto active = CreateTop<TSeActiveBitmap>(L"TSeActiveBitmap");
    SetLink(active->Bitmap(), L"S", link(0));
    SetLink(active->ActiveBitmap(), L"S", link(4));
    auto form = CreateTop<TSeFormBitmapSkinObject>(L"TSeFormBitmapSkinObject");
    SetLink(form->Bitmap(), L"S", link(0));
    SetLink(form->InactiveBitmap(), L"S", link(8));
    auto box = CreateTop<TSeButtonBitmapBoxObject>(L"TSeButtonBitmapBoxObject");
    SetLink(box->Bitmap(), L"S", link(0));
    SetLink(box->HotBitmap(), L"S", link(12));
    SetLink(box->PressedBitmap(), L"S", link(16));
    SetLink(box->FocusedBitmap(), L"S", link(20));
    SetLink(box->DisabledBitmap(), L"S", link(24));
    auto activeBox = CreateTop<TSeActiveBitmapBoxObject>(L"TSeActiveBitmapBoxObject");
    SetLink(activeBox->Bitmap(), L"S", link(0));
    SetLink(activeBox->FocusedBitmap(), L"S", link(28));
    for (TSeSkinObject* o :
         std::initializer_list<TSeSkinObject*>{active.get(), form.get(), box.get(), activeBox.get()}) {
        o->SetBitmaps(&bitmaps);
        o->AfterLoad();
        o->SetBounds({0, 0, 4, 4});
    }

    EXPECT_EQ(drawn(*active), 0);
    active->SetState(ssPressed);
    EXPECT_EQ(drawn(*active), 0);
    active->SetState(ssFocused);
    EXPECT_EQ(drawn(*active), 4);
    active->SetState(ssNormal);
    active->SetActive(true);
    EXPECT_EQ(drawn(*active), 4);

    EXPECT_EQ(drawn(*form), 8);
    form->SetActive(true);
    EXPECT_EQ(drawn(*form), 0);

    const std::pair<int, int> boxStates[] = {
        {ssNormal, 0}, {ssHot, 12}, {ssPressed, 16}, {ssFocused, 20}, {ssDisabled, 24}};
    for (auto [state, row] : boxStates) {
        box->SetState(state);
        EXPECT_EQ(drawn(*box), row) << "state " << state;
    }
    const std::pair<int, int> activeBoxStates[] = {{ssNormal, 0}, {ssHot, 28}, {ssPressed, 0}, {ssFocused, 28}};
    for (auto [state, row] : activeBoxStates) {
        activeBox->SetState(state);
        EXPECT_EQ(drawn(*activeBox), row) << "state " << state;
    }
}

TEST(ColourObjectDrawing, ActiveAndStateColoursReplaceColor)
{
    TKsBitmap target;
    target.SetSize(4, 4);
    auto fillOf = [&](TSeSkinObject& o) {
        target.Fill(kBackground);
        o.SetBounds({0, 0, 4, 4});
        o.Draw(target);
        return target.Pixel(1, 1);
    };

    auto active = CreateTop<TSeActiveObject>(L"TSeActiveObject");
    active->SetColor(clRed);
    active->SetActiveColor(clBlue);
    EXPECT_EQ(fillOf(*active), 0xFFFF0000u);
    active->SetState(ssPressed);
    EXPECT_EQ(fillOf(*active), 0xFF0000FFu);

    auto activeSkin = CreateTop<TSeActiveSkinObject>(L"TSeActiveSkinObject");
    activeSkin->SetColor(clRed);
    activeSkin->SetActiveColor(clBlue);
    activeSkin->SetActive(true);
    activeSkin->SetState(ssPressed);
    EXPECT_EQ(fillOf(*activeSkin), 0xFFFF0000u);
    activeSkin->SetState(ssHot);
    EXPECT_EQ(fillOf(*activeSkin), 0xFF0000FFu);

    auto colourButton = CreateTop<TSeColorButtonObject>(L"TSeColorButtonObject");
    colourButton->SetColor(clRed);
    colourButton->SetDisabledColor(clLime);
    colourButton->SetState(ssDisabled);
    EXPECT_EQ(fillOf(*colourButton), 0xFF00FF00u);
    colourButton->SetState(ssNormal);
    EXPECT_EQ(fillOf(*colourButton), 0xFFFF0000u);
}

TEST(ColourObjectDrawing, ParentsDrawOnlyTheirChildrenUnlessDrawIfOwner)
{
    auto parent = CreateTop(L"TSeSkinObject");
    parent->SetColor(clRed);
    auto* child = Create(L"TSeSkinObject", parent.get());
    child->SetColor(clBlue);
    child->SetBounds({2, 0, 4, 4});
    parent->SetBounds({0, 0, 4, 4});
    TKsBitmap target;
    target.SetSize(4, 4);
    target.Fill(kBackground);
    parent->Draw(target);
    EXPECT_EQ(target.Pixel(0, 0), kBackground);
    EXPECT_EQ(target.Pixel(3, 0), 0xFF0000FFu);
    parent->SetDrawIfOwner(true);
    parent->Draw(target);
    EXPECT_EQ(target.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(target.Pixel(3, 0), 0xFF0000FFu);
}

TEST(LinkObjectDrawing, DrawsOnlyInTheLinkState)
{
    auto link = CreateTop<TSeLinkSkinObject>(L"TSeLinkSkinObject");
    link->SetLinkControl(L"Edit1");
    link->SetBounds({0, 0, 60, 20});
    TKsBitmap target;
    target.SetSize(60, 20);
    target.Fill(kBackground);
    link->Draw(target);
    EXPECT_EQ(target.Pixel(30, 1), kBackground);
    link->SetState(ssLinkShown);
    link->Draw(target);
    EXPECT_EQ(target.Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(target.Pixel(30, 1), 0xFFFFFFFFu);
}

#include "framework/Streams.h"
#include "skin/engine/KsSkinEngine.h"
#include "skin/objects/KsSkinObjects2.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The skin store as the build embeds it (EmbeddedSkin.rc names the same file as folvane.rc), read
// the way the main window's engine reads it: as the stored property, marker byte first.

namespace {

std::unique_ptr<TSeSkinEngine> EngineWithEmbeddedSkin()
{
    auto engine = std::make_unique<TSeSkinEngine>(nullptr);
    TResourceStream resource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    TMemoryStream stored;
    stored.WriteByte(2);
    stored.CopyFrom(resource, 0);
    stored.SetPosition(0);
    engine->ReadSkinStream(stored);
    return engine;
}

// An expected node of the object table: name, class (empty: not fixed) and, when listed, exactly
// the children in order.
struct TNode {
    std::wstring Name;
    std::wstring Class;
    std::vector<TNode> Children;
    bool ChildrenListed = false;
};

TNode N(std::wstring name, std::wstring cls = L"") { return {std::move(name), std::move(cls), {}, false}; }
TNode N(std::wstring name, std::wstring cls, std::vector<TNode> children)
{
    return {std::move(name), std::move(cls), std::move(children), true};
}

// A part holding one child "Glyph", of glyphClass when the table names it.
TNode WithGlyph(std::wstring name, std::wstring cls, std::wstring glyphClass = L"")
{
    return N(std::move(name), std::move(cls), {N(L"Glyph", std::move(glyphClass))});
}

std::vector<TNode> FieldFrame()
{
    return {N(L"Frame", L"TSeSkinObject", {N(L"Top"), N(L"Left"), N(L"Right"), N(L"Bottom"), N(L"Client")})};
}

std::vector<TNode> Concat(std::vector<TNode> a, std::vector<TNode> b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<TNode> ExpectedObjects()
{
    std::vector<TNode> systemButtons;
    for (const wchar_t* name : {L"CloseButton", L"RestoreButton", L"MaxButton", L"MinButton", L"RollDownButton",
                                L"RollUpButton", L"TrayButton", L"HelpButton"})
        systemButtons.push_back(WithGlyph(name, L"TSeSystemButton", L"TSeButtonObject"));
    for (const wchar_t* name : {L"Sep1", L"Sep2", L"Sep3", L"Sep4", L"Sep5"}) systemButtons.push_back(N(name));

    const std::wstring S = L"TSeSkinObject", B = L"TSeBitmapObject", BB = L"TSeButtonObject", T = L"TSeTextObject",
                       A = L"TSeActiveObject", AB = L"TSeActiveBitmap";
    return {
        N(L"Form", S, {N(L"Caption", S, {N(L"CaptionLeft"), N(L"CaptionRight"), N(L"Title", AB),
                                         N(L"ButtonContainer", B, systemButtons)}),
                       N(L"Left", AB), N(L"Right", AB),
                       N(L"Bottom", S, {N(L"BottomLeft"), N(L"BottomRight"), N(L"BottomCenter")}),
                       N(L"Client", S), N(L"SysMenu", L"TSeSystemButton")}),
        N(L"MenuBar", S, {N(L"Frame", S), N(L"Item", A), WithGlyph(L"Restore", BB), WithGlyph(L"Min", BB),
                          WithGlyph(L"Close", BB), N(L"ToolbarFrame", B), N(L"ToolbarItem", BB)}),
        N(L"PopupMenu", S, {N(L"Item", A), N(L"Frame", B)}),
        N(L"CheckBox", S, {N(L"Unchecked", BB), N(L"Checked", BB), N(L"Mixed", BB), N(L"Text", T)}),
        N(L"RadioButton", S, {N(L"Unchecked", BB), N(L"Checked", BB), N(L"Text", T)}),
        N(L"ScrollBar", S, {N(L"HorzFrame", B), WithGlyph(L"LeftButton", BB), WithGlyph(L"RightButton", BB),
                            WithGlyph(L"HorzSlider", BB, B), WithGlyph(L"TopButton", BB), N(L"VertFrame", B),
                            WithGlyph(L"BottomButton", BB), WithGlyph(L"VertSlider", BB)}),
        N(L"Button", S, {N(L"Face", BB), N(L"Text", T)}),
        N(L"SpeedButton", S, {N(L"Face"), N(L"Text"), N(L"FlatFace"), N(L"Chevron"), N(L"FlatChevron")}),
        N(L"GroupBox", S, {N(L"Frame", B), N(L"Caption", T)}),
        N(L"ProgressBar", S, {N(L"Frame", B), N(L"BarHorz", B), N(L"BarVert", B)}),
        N(L"TrackBar", S, {N(L"Track", B), N(L"ThumbHorz", BB), N(L"ThumbHorzTop", BB), N(L"ThumbHorzBottom", BB),
                           N(L"ThumbVert", BB), N(L"ThumbVertLeft", BB), N(L"ThumbVertRight", BB)}),
        N(L"ListBox", S,
          Concat(FieldFrame(), {N(L"Unchecked", BB), N(L"Checked", BB), N(L"Mixed", BB), N(L"Item", A)})),
        N(L"Edit", S, Concat(FieldFrame(), {N(L"Text", T)})),
        N(L"ComboBox", S, Concat(FieldFrame(), {N(L"Text", S), WithGlyph(L"Button", BB)})),
        N(L"SpinButton", S, {N(L"Face")}),
        N(L"Panel", S, {N(L"Frame"), N(L"Caption", B), N(L"ButtonRollup", BB), N(L"ButtonRolldown", BB)}),
        N(L"Tabs", S,
          {N(L"Tab"), N(L"Frame", L"", {N(L"Bitmap", B)}), N(L"Text"), N(L"LeftButton"), N(L"RightButton")}),
        N(L"Grid", S, {N(L"Fixed", B), N(L"Cell", L"TSeColorButtonObject")}),
        N(L"ControlBar", S, {N(L"Back"), N(L"Frame"), N(L"Grabber")}),
        N(L"Toolbar", S, {N(L"Frame", B)}),
    };
}

void ExpectMatches(TSeSkinObject& object, const TNode& node, const std::wstring& path)
{
    EXPECT_EQ(object.Name(), node.Name) << path;
    if (!node.Class.empty()) {
        EXPECT_EQ(std::wstring(object.ClassName()), node.Class) << path;
    }
    if (!node.ChildrenListed) return;
    ASSERT_EQ(object.ChildCount(), static_cast<int>(node.Children.size())) << path;
    for (size_t i = 0; i < node.Children.size(); ++i)
        ExpectMatches(*object.ChildAt(static_cast<int>(i)), node.Children[i], path + L"." + node.Children[i].Name);
}

int CountObjects(TSeSkinObject& object, int depth, int& deepest)
{
    deepest = std::max(deepest, depth);
    int count = 1;
    for (int i = 0; i < object.ChildCount(); ++i) count += CountObjects(*object.ChildAt(i), depth + 1, deepest);
    return count;
}

// The pixels a part of a copy of the named object draws at size, in a state.
std::vector<uint32_t> Drawn(TSeSkinSource& source, const wchar_t* object, const wchar_t* part, int width, int height,
                            int state)
{
    std::unique_ptr<TSeSkinObject> copy(source.ObjectByName(object)->Clone(nullptr));
    TSeSkinObject* target = copy->FindObjectByName(part);
    TKsBitmap canvas;
    canvas.SetSize(width, height);
    canvas.Fill(0xFFF4F6F9);
    target->SetState(state);
    target->SetBounds({0, 0, width, height});
    target->Draw(canvas);
    return {canvas.Bits(), canvas.Bits() + width * height};
}

void ExpectStatesDiffer(TSeSkinSource& source, const wchar_t* object, const wchar_t* part, int width, int height,
                        std::initializer_list<int> states)
{
    std::vector<std::pair<int, std::vector<uint32_t>>> looks;
    for (int state : states) looks.emplace_back(state, Drawn(source, object, part, width, height, state));
    for (size_t i = 0; i < looks.size(); ++i)
        for (size_t j = i + 1; j < looks.size(); ++j)
            EXPECT_NE(looks[i].second, looks[j].second)
                << object << "." << part << " looks the same in states " << looks[i].first << " and " << looks[j].first;
}

TEST(EmbeddedSkin, HeaderNamesTheSkinAndItsVersion)
{
    auto engine = EngineWithEmbeddedSkin();
    EXPECT_EQ(engine->Source()->SkinName(), L"Folvane Slate");
    EXPECT_EQ(engine->Source()->SkinVersion(), L"2.0.0");
    EXPECT_FALSE(engine->Source()->Author().empty());
}

TEST(EmbeddedSkin, HoldsTheTwentyObjectsWithTheirPartsInOrder)
{
    auto engine = EngineWithEmbeddedSkin();
    TSeSkinSource& source = *engine->Source();
    const std::vector<TNode> expected = ExpectedObjects();
    ASSERT_EQ(source.Count(), 20);
    for (int i = 0; i < source.Count(); ++i) ExpectMatches(*source.Objects(i), expected[i], expected[i].Name);
    EXPECT_EQ(source.ObjectByName(L"Form")->Kind(), skForm);
    EXPECT_EQ(source.ObjectByName(L"PopupMenu")->Kind(), skPopupMenu);
    EXPECT_EQ(source.ObjectByName(L"MenuBar")->FindObjectByName(L"Frame")->Kind(), skMenuBar);
    EXPECT_EQ(source.ObjectByName(L"PopupMenu")->FindObjectByName(L"Frame")->Kind(), skPopupMenu);

    int total = 0, deepest = 0;
    for (int i = 0; i < source.Count(); ++i) total += CountObjects(*source.Objects(i), 0, deepest);
    EXPECT_EQ(total, 149);
    EXPECT_EQ(deepest, 4);
}

TEST(EmbeddedSkin, HoldsTheFiftyThreeBitmapsByNameAndSize)
{
    struct TBitmapEntry { const wchar_t* Name; int Width; int Height; };
    const TBitmapEntry expected[] = {
        {L"FRAMEBOTTOM.BMP", 16, 5}, {L"FRAMECAPTION.BMP", 66, 60}, {L"FRAMELEFT.BMP", 5, 8},
        {L"FRAMERIGHT.BMP", 5, 8}, {L"CAPTIONBUTTON.bmp", 24, 90}, {L"CLOSEBUTTON.bmp", 24, 90},
        {L"CLOSEGLYPH.BMP", 12, 48}, {L"MAXIMIZEGLYPH.BMP", 12, 48}, {L"RESTOREGLYPH.BMP", 12, 48},
        {L"MINIMIZEGLYPH.BMP", 12, 48}, {L"FIELDOUTLINEBLUE.BMP", 9, 36}, {L"MDICAPTIONBUTTON.BMP", 16, 64},
        {L"CHECKBOX13.bmp", 13, 195}, {L"SCROLLSHAFTHORIZONTAL.BMP", 17, 17}, {L"SCROLLARROWS.BMP", 17, 68},
        {L"SCROLLARROWGLYPHS.BMP", 9, 144}, {L"SCROLLTHUMBGRIPPERHORIZONTAL.BMP", 9, 9},
        {L"SCROLLTHUMBHORIZONTAL.BMP", 22, 68}, {L"SCROLLTHUMBVERTICAL.BMP", 17, 88},
        {L"SCROLLSHAFTVERTICAL.BMP", 17, 17}, {L"SCROLLTHUMBGRIPPERVERTICAL.BMP", 9, 9}, {L"BUTTON.bmp", 20, 115},
        {L"TOOLBARBUTTONS.BMP", 20, 115}, {L"HELPGLYPH.BMP", 12, 48}, {L"GROUPBOX.BMP", 22, 20},
        {L"PROGRESSTRACKVERT.BMP", 10, 9}, {L"PROGRESSCHUNK.BMP", 10, 12}, {L"PROGRESSCHUNKVERT.BMP", 12, 10},
        {L"SLIDERTRACK.BMP", 5, 5}, {L"TRACKBARHORIZONTAL.BMP", 11, 105}, {L"COMBOBUTTON.BMP", 15, 68},
        {L"COMBOBUTTONGLYPH.BMP", 10, 28}, {L"NORMALGROUPBACKGROUND.BMP", 12, 12}, {L"NORMALGROUPHEAD.BMP", 12, 24},
        {L"NORMALGROUPCOLLAPSE.BMP", 19, 57}, {L"NORMALGROUPEXPAND.BMP", 19, 57}, {L"TABPANEEDGE.BMP", 12, 12},
        {L"TABITEM.BMP", 18, 90}, {L"ROLlDOWNPGLYPH.bmp", 12, 48}, {L"ROLLUPGLYPH.bmp", 12, 48},
        {L"TRAYGLYPH.bmp", 12, 48}, {L"MDIGLYPHCLOSE.BMP", 10, 40}, {L"MDIGLYPHMINIMIZE.BMP", 10, 40},
        {L"MDIGLYPHRESTORE.BMP", 10, 40}, {L"TRACKBARUP13.BMP", 11, 105}, {L"TRACKBARDOWN13.BMP", 11, 105},
        {L"TOOLBARBACKGROUND.BMP", 1, 17}, {L"TOOLBARGRIPPERVERT.BMP", 10, 6}, {L"LISTVIEWHEADER.BMP", 12, 20},
        {L"TRACKBARVERTICAL.BMP", 21, 55}, {L"TRACKBARRIGHT13.BMP", 21, 55}, {L"RADIOBUTTON13.bmp", 13, 130},
        {L"TRACKBARLEFT13.BMP", 21, 55},
    };
    auto engine = EngineWithEmbeddedSkin();
    const TKsBitmapList& bitmaps = engine->Source()->Bitmaps();
    ASSERT_EQ(bitmaps.Count(), 53);
    for (int i = 0; i < bitmaps.Count(); ++i) {
        EXPECT_EQ(bitmaps.Item(i)->Name(), expected[i].Name);
        EXPECT_EQ(bitmaps.Item(i)->Width(), expected[i].Width) << expected[i].Name;
        EXPECT_EQ(bitmaps.Item(i)->Height(), expected[i].Height) << expected[i].Name;
    }
}

TEST(EmbeddedSkin, MainWindowFrameKeepsItsClientAndARoundedRegion)
{
    auto engine = EngineWithEmbeddedSkin();
    std::unique_ptr<TSeSkinObject> form(engine->Source()->FormObject()->Clone(nullptr));
    // The main window's client area is 363 x 408.
    form->SetBounds({0, 0, 373, 443});
    EXPECT_EQ(form->FindObjectByKind(skClient)->BoundsRect(), TRect(5, 30, 368, 438));

    TRegionHandle region = form->TreeRegion();
    ASSERT_TRUE(region);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));      // rounded caption corners
    EXPECT_FALSE(PtInRegion(region.Get(), 372, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 442));    // rounded bottom corners
    EXPECT_TRUE(PtInRegion(region.Get(), 10, 0));      // the caption's top edge
    EXPECT_TRUE(PtInRegion(region.Get(), 300, 2));     // around the caption buttons, not only their glyphs
    EXPECT_TRUE(PtInRegion(region.Get(), 352, 28));
    EXPECT_TRUE(PtInRegion(region.Get(), 200, 300));   // client
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 200));     // left border

    // The caption buttons keep to the right end whatever the width.
    TKsBitmap canvas;
    canvas.SetSize(373, 443);
    form->Draw(canvas);
    EXPECT_EQ(form->FindObjectByName(L"CloseButton")->BoundsRect(), TRect(343, 0, 367, 30));
    EXPECT_EQ(form->FindObjectByName(L"CloseButton")->Kind(), skSysButton);
    EXPECT_EQ(form->HitTest({355, 15}), form->FindObjectByName(L"CloseButton"));
}

TEST(EmbeddedSkin, CaptionShowsWhetherTheWindowIsActive)
{
    auto engine = EngineWithEmbeddedSkin();
    auto caption = [&](bool active) {
        std::unique_ptr<TSeSkinObject> form(engine->Source()->FormObject()->Clone(nullptr));
        form->SetActive(active);
        form->SetBounds({0, 0, 373, 443});
        TKsBitmap canvas;
        canvas.SetSize(373, 443);
        form->Draw(canvas);
        return std::vector<uint32_t>(canvas.Bits() + 373 * 10, canvas.Bits() + 373 * 20);
    };
    EXPECT_NE(caption(true), caption(false));
}

TEST(EmbeddedSkin, ControlsLookDifferentInEveryStateTheyShow)
{
    auto engine = EngineWithEmbeddedSkin();
    TSeSkinSource& source = *engine->Source();
    ExpectStatesDiffer(source, L"Button", L"Face", 75, 25, {ssNormal, ssHot, ssPressed, ssFocused, ssDisabled});
    ExpectStatesDiffer(source, L"Edit", L"Frame", 150, 21, {ssNormal, ssHot, ssFocused, ssDisabled});
    ExpectStatesDiffer(source, L"ComboBox", L"Button", 15, 17, {ssNormal, ssHot, ssDisabled});
    for (const wchar_t* mark : {L"Checked", L"Unchecked"})
        ExpectStatesDiffer(source, L"RadioButton", mark, 13, 13, {ssNormal, ssHot, ssPressed, ssFocused, ssDisabled});
    ExpectStatesDiffer(source, L"ScrollBar", L"VertSlider", 17, 40, {ssNormal, ssHot, ssPressed, ssDisabled});
    ExpectStatesDiffer(source, L"ScrollBar", L"TopButton", 17, 17, {ssNormal, ssHot, ssPressed, ssDisabled});
}

} // namespace

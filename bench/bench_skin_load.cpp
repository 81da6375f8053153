// Times the decoding of a skin store (inflate, parse the object descriptions, build the objects and
// their bitmaps, resolve the links) against a plain zlib inflate of the same store in the same run.
//
// The store is built here to the shape of the program's skin: 53 bitmaps of the same names and sizes
// (about 65,000 pixels with gradients, anti-aliased rounded shapes and transparent surroundings) and
// 20 top-level objects with about 150 objects in all, nested up to four levels below the top.
#include "framework/Streams.h"
#include "skin/KsSkinSource.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRepeats = 25;

struct TBitmapShape {
    const wchar_t* Name;
    int Width;
    int Height;
};

const TBitmapShape kBitmaps[] = {
    {L"FRAMEBOTTOM.BMP", 49, 10}, {L"FRAMECAPTION.BMP", 66, 58}, {L"FRAMELEFT.BMP", 5, 62},
    {L"FRAMERIGHT.BMP", 5, 62}, {L"CAPTIONBUTTON.bmp", 21, 168}, {L"CLOSEBUTTON.bmp", 21, 168},
    {L"CLOSEGLYPH.BMP", 13, 104}, {L"MAXIMIZEGLYPH.BMP", 13, 104}, {L"RESTOREGLYPH.BMP", 13, 104},
    {L"MINIMIZEGLYPH.BMP", 13, 104}, {L"FIELDOUTLINEBLUE.BMP", 14, 7}, {L"MDICAPTIONBUTTON.BMP", 13, 52},
    {L"CHECKBOX13.bmp", 13, 156}, {L"SCROLLSHAFTHORIZONTAL.BMP", 17, 68}, {L"SCROLLARROWS.BMP", 17, 272},
    {L"SCROLLARROWGLYPHS.BMP", 9, 144}, {L"SCROLLTHUMBGRIPPERHORIZONTAL.BMP", 8, 32},
    {L"SCROLLTHUMBHORIZONTAL.BMP", 22, 60}, {L"SCROLLTHUMBVERTICAL.BMP", 15, 88},
    {L"SCROLLSHAFTVERTICAL.BMP", 17, 68}, {L"SCROLLTHUMBGRIPPERVERTICAL.BMP", 8, 32}, {L"BUTTON.bmp", 20, 115},
    {L"TOOLBARBUTTONS.BMP", 20, 138}, {L"HELPGLYPH.BMP", 13, 104}, {L"GROUPBOX.BMP", 22, 20},
    {L"PROGRESSTRACKVERT.BMP", 10, 9}, {L"PROGRESSCHUNK.BMP", 10, 12}, {L"PROGRESSCHUNKVERT.BMP", 12, 10},
    {L"SLIDERTRACK.BMP", 5, 5}, {L"TRACKBARHORIZONTAL.BMP", 11, 105}, {L"COMBOBUTTON.BMP", 15, 64},
    {L"COMBOBUTTONGLYPH.BMP", 10, 28}, {L"NORMALGROUPBACKGROUND.BMP", 111, 10}, {L"NORMALGROUPHEAD.BMP", 111, 21},
    {L"NORMALGROUPCOLLAPSE.BMP", 19, 57}, {L"NORMALGROUPEXPAND.BMP", 19, 57}, {L"TABPANEEDGE.BMP", 48, 48},
    {L"TABITEM.BMP", 18, 90}, {L"ROLLDOWNGLYPH.bmp", 13, 104}, {L"ROLLUPGLYPH.bmp", 13, 104},
    {L"TRAYGLYPH.bmp", 13, 104}, {L"MDIGLYPHCLOSE.BMP", 10, 40}, {L"MDIGLYPHMINIMIZE.BMP", 10, 40},
    {L"MDIGLYPHRESTORE.BMP", 10, 40}, {L"TRACKBARUP13.BMP", 11, 105}, {L"TRACKBARDOWN13.BMP", 11, 105},
    {L"TOOLBARBACKGROUND.BMP", 1, 17}, {L"TOOLBARGRIPPERVERT.BMP", 10, 6}, {L"LISTVIEWHEADER.BMP", 18, 90},
    {L"TRACKBARVERTICAL.BMP", 21, 55}, {L"TRACKBARRIGHT13.BMP", 21, 55}, {L"RADIOBUTTON13.bmp", 13, 104},
    {L"TRACKBARLEFT13.BMP", 21, 55},
};

struct TNode {
    const wchar_t* ClassName;
    const wchar_t* Name;
    std::vector<TNode> Children;
};

TNode Glyphed(const wchar_t* className, const wchar_t* name)
{
    return {className, name, {{L"TSeButtonObject", L"Glyph", {}}}};
}

TNode Leaf(const wchar_t* className, const wchar_t* name) { return {className, name, {}}; }

TNode FramePart(const wchar_t* name)
{
    return {L"TSeSkinObject", name,
            {Leaf(L"TSeBitmapObject", L"Top"), Leaf(L"TSeBitmapObject", L"Left"), Leaf(L"TSeBitmapObject", L"Right"),
             Leaf(L"TSeBitmapObject", L"Bottom"), Leaf(L"TSeSkinObject", L"Client")}};
}

std::vector<TNode> SkinTree()
{
    const wchar_t* button = L"TSeButtonObject";
    const wchar_t* bitmap = L"TSeBitmapObject";
    const wchar_t* base = L"TSeSkinObject";
    TNode container{bitmap, L"ButtonContainer", {}};
    for (const wchar_t* name : {L"CloseButton", L"RestoreButton", L"MaxButton", L"MinButton", L"RollDownButton",
                                L"RollUpButton", L"TrayButton", L"HelpButton"})
        container.Children.push_back(Glyphed(L"TSeSystemButton", name));
    for (const wchar_t* name : {L"Sep1", L"Sep2", L"Sep3", L"Sep4", L"Sep5"}) container.Children.push_back(Leaf(bitmap, name));
    return {
        {base, L"Form",
         {{base, L"Caption",
           {Leaf(bitmap, L"CaptionLeft"), Leaf(bitmap, L"CaptionRight"), Leaf(L"TSeActiveBitmap", L"Title"), container}},
          Leaf(L"TSeActiveBitmap", L"Left"), Leaf(L"TSeActiveBitmap", L"Right"),
          {base, L"Bottom", {Leaf(bitmap, L"BottomLeft"), Leaf(bitmap, L"BottomRight"), Leaf(bitmap, L"BottomCenter")}},
          Leaf(base, L"Client"), Leaf(L"TSeSystemButton", L"SysMenu")}},
        {base, L"MenuBar",
         {Leaf(base, L"Frame"), Leaf(L"TSeActiveObject", L"Item"), Glyphed(button, L"Restore"), Glyphed(button, L"Min"),
          Glyphed(button, L"Close"), Leaf(bitmap, L"ToolbarFrame"), Leaf(button, L"ToolbarItem")}},
        {base, L"PopupMenu", {Leaf(L"TSeActiveObject", L"Item"), Leaf(bitmap, L"Frame")}},
        {base, L"CheckBox",
         {Leaf(button, L"Unchecked"), Leaf(button, L"Checked"), Leaf(button, L"Mixed"), Leaf(L"TSeTextObject", L"Text")}},
        {base, L"RadioButton", {Leaf(button, L"Unchecked"), Leaf(button, L"Checked"), Leaf(L"TSeTextObject", L"Text")}},
        {base, L"ScrollBar",
         {Leaf(bitmap, L"HorzFrame"), Glyphed(button, L"LeftButton"), Glyphed(button, L"RightButton"),
          Glyphed(button, L"HorzSlider"), Glyphed(button, L"TopButton"), Leaf(bitmap, L"VertFrame"),
          Glyphed(button, L"BottomButton"), Glyphed(button, L"VertSlider")}},
        {base, L"Button", {Leaf(button, L"Face"), Leaf(L"TSeTextObject", L"Text")}},
        {base, L"SpeedButton",
         {Leaf(button, L"Face"), Leaf(L"TSeTextObject", L"Text"), Leaf(button, L"FlatFace"), Leaf(button, L"Chevron"),
          Leaf(button, L"FlatChevron")}},
        {base, L"GroupBox", {Leaf(bitmap, L"Frame"), Leaf(L"TSeTextObject", L"Caption")}},
        {base, L"ProgressBar", {Leaf(bitmap, L"Frame"), Leaf(bitmap, L"BarHorz"), Leaf(bitmap, L"BarVert")}},
        {base, L"TrackBar",
         {Leaf(bitmap, L"Track"), Leaf(button, L"ThumbHorz"), Leaf(button, L"ThumbHorzTop"),
          Leaf(button, L"ThumbHorzBottom"), Leaf(button, L"ThumbVert"), Leaf(button, L"ThumbVertLeft"),
          Leaf(button, L"ThumbVertRight")}},
        {base, L"ListBox",
         {FramePart(L"Frame"), Leaf(button, L"Unchecked"), Leaf(button, L"Checked"), Leaf(button, L"Mixed"),
          Leaf(L"TSeActiveObject", L"Item")}},
        {base, L"Edit", {FramePart(L"Frame"), Leaf(L"TSeTextObject", L"Text")}},
        {base, L"ComboBox", {FramePart(L"Frame"), Leaf(base, L"Text"), Glyphed(button, L"Button")}},
        {base, L"SpinButton", {Leaf(button, L"Face")}},
        {base, L"Panel",
         {Leaf(bitmap, L"Frame"), Leaf(bitmap, L"Caption"), Leaf(button, L"ButtonRollup"), Leaf(button, L"ButtonRolldown")}},
        {base, L"Tabs",
         {Leaf(button, L"Tab"), {base, L"Frame", {Leaf(bitmap, L"Bitmap")}}, Leaf(L"TSeTextObject", L"Text"),
          Leaf(button, L"LeftButton"), Leaf(button, L"RightButton")}},
        {base, L"Grid", {Leaf(bitmap, L"Fixed"), Leaf(L"TSeColorButtonObject", L"Cell")}},
        {base, L"ControlBar", {Leaf(bitmap, L"Back"), Leaf(bitmap, L"Frame"), Leaf(bitmap, L"Grabber")}},
        {base, L"Toolbar", {Leaf(bitmap, L"Frame")}},
    };
}

// A skin-like picture: a vertical gradient inside a rounded shape with anti-aliased edges, a
// highlight line and a little dither, transparent around the shape.
std::unique_ptr<TKsBitmap> MakeArt(const TBitmapShape& shape, int index)
{
    auto bitmap = std::make_unique<TKsBitmap>();
    bitmap->SetName(shape.Name);
    bitmap->SetSize(shape.Width, shape.Height);
    const double radius = std::min(shape.Width, shape.Height) / 3.0;
    const int hue = index * 37;
    for (int y = 0; y < shape.Height; ++y) {
        double t = static_cast<double>(y % 23) / 23.0;
        for (int x = 0; x < shape.Width; ++x) {
            double dx = std::max({radius - x, x - (shape.Width - 1 - radius), 0.0});
            double dy = std::max({radius - (y % 23), (y % 23) - (22 - radius), 0.0});
            double coverage = std::clamp(radius - std::sqrt(dx * dx + dy * dy) + 0.5, 0.0, 1.0);
            if (coverage <= 0) {
                bitmap->SetPixel(x, y, kTransparentPixel);
                continue;
            }
            int dither = (x * 7 + y * 13) % 3;
            int r = static_cast<int>(90 + 120 * t + (hue % 40)) + dither;
            int g = static_cast<int>(120 + 90 * t + (hue % 25)) + dither;
            int b = static_cast<int>(200 - 60 * t) - dither;
            if (y % 23 == 1) r = g = b = 245;
            bitmap->SetPixel(x, y, MakePixel(r, g, b, static_cast<uint8_t>(std::lround(coverage * 255))));
        }
    }
    return bitmap;
}

TSeSkinObject* Build(const TNode& node, TComponent* owner, int& linkIndex, int& objectCount)
{
    TSeSkinObject* object = CreateSkinObject(node.ClassName, owner);
    object->SetName(node.Name);
    object->SetBounds(TRect::FromSize(0, 0, 200, 100));
    object->SetMarginLeft(linkIndex % 4);
    object->SetMarginRight(linkIndex % 3);
    ++objectCount;
    for (const TSeObjectProperty& p : object->Properties()) {
        if (p.Kind != TSePropertyKind::BitmapLink) continue;
        const TBitmapShape& shape = kBitmaps[linkIndex++ % std::size(kBitmaps)];
        TKsBitmapLink& link = p.Link(*object);
        link.SetName(shape.Name);
        link.SetRect({0, 0, shape.Width, std::max(1, shape.Height / 4)});
    }
    for (const TNode& child : node.Children) Build(child, object, linkIndex, objectCount);
    return object;
}

std::vector<uint8_t> BuildStore(int& objectCount)
{
    TSeSkinSource source(nullptr);
    TKsBitmapList bitmaps;
    for (size_t i = 0; i < std::size(kBitmaps); ++i) bitmaps.Add(MakeArt(kBitmaps[i], static_cast<int>(i)));
    std::vector<std::unique_ptr<TSeSkinObject>> objects;
    int linkIndex = 0;
    for (const TNode& node : SkinTree()) objects.emplace_back(Build(node, nullptr, linkIndex, objectCount));
    source.Adopt(std::move(objects), std::move(bitmaps));
    TMemoryStream store;
    source.SaveToStream(store);
    return store.Bytes();
}

template <typename F>
double Milliseconds(F&& f)
{
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    int builtObjects = 0;
    const std::vector<uint8_t> store = BuildStore(builtObjects);

    // The inflated size, for the plain inflate's buffer.
    std::vector<uint8_t> inflated(4 << 20);
    uLongf inflatedSize = static_cast<uLongf>(inflated.size());
    if (uncompress(inflated.data(), &inflatedSize, store.data() + 4, static_cast<uLong>(store.size() - 4)) != Z_OK) {
        std::printf("the store does not inflate\n");
        return 1;
    }

    std::vector<double> loads, inflates;
    int loadedObjects = 0;
    for (int i = 0; i < kRepeats; ++i) {
        loads.push_back(Milliseconds([&] {
            TSeSkinSource source(nullptr);
            TMemoryStream stream(store);
            source.LoadFromStream(stream);
            loadedObjects = source.Count();
        }));
        inflates.push_back(Milliseconds([&] {
            uLongf size = static_cast<uLongf>(inflated.size());
            uncompress(inflated.data(), &size, store.data() + 4, static_cast<uLong>(store.size() - 4));
        }));
    }

    double load = Median(loads), inflate = Median(inflates);
    std::printf("store built in the benchmark: %zu bytes, %lu inflated, %zu bitmaps, %d objects (%d top level)\n",
                store.size(), static_cast<unsigned long>(inflatedSize), std::size(kBitmaps), builtObjects, loadedObjects);
    std::printf("skin load (inflate, parse, build, resolve): %.3f ms median of %d\n", load, kRepeats);
    std::printf("plain zlib inflate of the same store:       %.3f ms median of %d\n", inflate, kRepeats);
    std::printf("ratio skin_load_vs_inflate %.2f\n", load / inflate);
    return 0;
}

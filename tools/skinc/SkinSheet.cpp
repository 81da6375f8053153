#include "tools/skinc/SkinSheet.h"

#include "framework/Streams.h"
#include "skin/engine/KsSkinSource.h"
#include "skin/objects/KsSkinObjects2.h"
#include "tools/skinc/BmpFile.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

namespace {

// The columns: what a control shows in each, as the skin object state it sets.
struct TColumn {
    const wchar_t* Label;
    int State;
};
constexpr std::array<TColumn, 5> Columns = {{
    {L"normal", ssNormal}, {L"hot", ssHot}, {L"pressed", ssPressed}, {L"focused", ssFocused}, {L"disabled", ssDisabled},
}};

constexpr int Margin = 16;
constexpr int LabelWidth = 110;
constexpr int ColumnGap = 24;
constexpr int RowGap = 18;
constexpr int HeaderHeight = 28;
constexpr uint32_t Background = 0xFFF4F6F9;  // the window body colour of the skin
constexpr TColor LabelColor = 0x00755E4E;

// Draws a copy of the object into target (one cell of the sheet) as a control would in that state.
using TPainter = std::function<void(TSeSkinObject& copy, TKsBitmap& target, int state)>;

// A row of the sheet: the object, the size of one drawing, and how a control draws it.
struct TCellSize {
    int Width;
    int Height;
};

struct TRowPlan {
    const wchar_t* Object;
    TCellSize Size;
    TPainter Paint;
};

TSeSkinObject* Part(TSeSkinObject& copy, const wchar_t* name) { return copy.FindObjectByName(name); }

void DrawPart(TSeSkinObject* part, TKsBitmap& target, const TRect& bounds, int state)
{
    if (!part) return;
    part->SetState(state);
    part->SetBounds(bounds);
    part->Draw(target);
}

// Text the way the controls draw captions: in the font of a skin part, on a transparent background.
void DrawCaption(TKsBitmap& target, const TFont& font, const std::wstring& text, const TRect& rect, UINT format)
{
    target.SetFont(font);
    target.DrawText(text, rect, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

const TFont& PartFont(TSeSkinObject& copy, const wchar_t* name, int state)
{
    TSeSkinObject* part = Part(copy, name);
    TSeSkinObject& source = part ? *part : copy;
    source.SetState(state);
    return source.Font();
}

void PaintForm(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    // The main window's caption: close, minimize and the system menu; the other buttons hide.
    for (const wchar_t* hidden : {L"RestoreButton", L"MaxButton", L"RollDownButton", L"RollUpButton", L"TrayButton",
                                  L"HelpButton"})
        if (TSeSkinObject* button = Part(copy, hidden)) button->SetVisible(false);
    copy.SetActive(state != ssDisabled);
    copy.SetState(ssNormal);
    if (TSeSkinObject* title = copy.FindObjectByKind(skTitle)) title->SetText(L"Folvane Tool");
    auto* close = dynamic_cast<TSeSystemButton*>(Part(copy, L"CloseButton"));
    auto* minimize = dynamic_cast<TSeSystemButton*>(Part(copy, L"MinButton"));
    if (state == ssHot && close) close->MouseEnter();
    if (state == ssPressed && minimize) minimize->MouseDown(mbLeft);
    copy.SetBounds(TRect::FromSize(0, 0, 360, 120));
    copy.Draw(target);
}

void PaintMenuBar(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    TSeSkinObject* frame = Part(copy, L"Frame");
    TSeSkinObject* item = Part(copy, L"Item");
    DrawPart(frame, target, TRect::FromSize(0, 0, 200, 21), ssNormal);
    if (!frame || !item) return;
    int x = frame->MarginLeft();
    bool first = true;
    for (const wchar_t* caption : {L"檔案(F)", L"關於(A)"}) {
        target.SetFont(item->Font());
        const int width = target.TextWidth(caption) + item->TextMarginLeft() + item->TextMarginRight();
        item->SetText(caption);
        item->SetEnabled(!(first && state == ssDisabled));
        const int itemState = first && (state == ssHot || state == ssPressed) ? ssHot
                              : first && state == ssFocused                    ? ssFocused
                                                                               : ssNormal;
        DrawPart(item, target, TRect::FromSize(x, frame->MarginTop(), width, item->Height()), itemState);
        x += width;
        first = false;
    }
    item->SetEnabled(true);
}

void PaintPopupMenu(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    TSeSkinObject* frame = Part(copy, L"Frame");
    TSeSkinObject* item = Part(copy, L"Item");
    DrawPart(frame, target, TRect::FromSize(0, 0, 150, 80), ssNormal);
    if (!frame || !item) return;
    const int left = frame->MarginLeft();
    const int width = 150 - frame->MarginLeft() - frame->MarginRight();
    int y = frame->MarginTop();
    struct TEntry { const wchar_t* Caption; const wchar_t* Shortcut; };
    const TEntry entries[] = {{L"載入設定檔(L)", L""}, {L"-", L""}, {L"離開(X)", L"Alt+F4"}};
    for (size_t i = 0; i < std::size(entries); ++i) {
        item->SetText(entries[i].Caption);
        item->SetRightText(entries[i].Shortcut);
        item->SetEnabled(!(i == 0 && state == ssDisabled));
        const int itemState = i == 0 && state != ssNormal && state != ssDisabled ? state : ssNormal;
        DrawPart(item, target, TRect::FromSize(left, y, width, item->Height()), itemState);
        y += item->Height();
    }
    item->SetEnabled(true);
}

void PaintMarks(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    int y = 0;
    for (const wchar_t* mark : {L"Checked", L"Unchecked"}) {
        TSeSkinObject* part = Part(copy, mark);
        const int size = part ? part->Height() : 13;
        DrawPart(part, target, TRect::FromSize(0, y + (17 - size) / 2, size, size), state);
        DrawCaption(target, PartFont(copy, L"Text", state), mark, TRect::FromSize(size + 5, y, 100, 17), DT_LEFT);
        y += 17 + 6;
    }
}

void PaintScrollBar(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    const int thickness = 17;
    DrawPart(Part(copy, L"HorzFrame"), target, TRect::FromSize(0, 0, 150, thickness), ssNormal);
    DrawPart(Part(copy, L"LeftButton"), target, TRect::FromSize(0, 0, thickness, thickness), state);
    DrawPart(Part(copy, L"RightButton"), target, TRect::FromSize(150 - thickness, 0, thickness, thickness), state);
    DrawPart(Part(copy, L"HorzSlider"), target, TRect::FromSize(40, 0, 36, thickness), state);
    const int x = 170;
    DrawPart(Part(copy, L"VertFrame"), target, TRect::FromSize(x, 0, thickness, 80), ssNormal);
    DrawPart(Part(copy, L"TopButton"), target, TRect::FromSize(x, 0, thickness, thickness), state);
    DrawPart(Part(copy, L"BottomButton"), target, TRect::FromSize(x, 80 - thickness, thickness, thickness), state);
    DrawPart(Part(copy, L"VertSlider"), target, TRect::FromSize(x, 24, thickness, 28), state);
}

void PaintButton(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    const TRect bounds = TRect::FromSize(0, 0, 75, 25);
    TSeSkinObject* face = Part(copy, L"Face");
    DrawPart(face ? face : &copy, target, bounds, state);
    DrawCaption(target, PartFont(copy, L"Text", state), L"開始列舉", bounds, DT_CENTER);
}

// A field frame (edit, combo box, list box) as drawn with a single border.
void PaintFrame(TSeSkinObject& copy, TKsBitmap& target, const TRect& bounds, int state)
{
    TSeSkinObject* frame = Part(copy, L"Frame");
    DrawPart(frame ? frame : &copy, target, bounds, state);
}

void PaintEdit(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    PaintFrame(copy, target, TRect::FromSize(0, 0, 150, 21), state);
    DrawCaption(target, PartFont(copy, L"Text", ssNormal), L"C:\\Folvane\\輸出", TRect::FromSize(4, 4, 142, 13),
                DT_LEFT);
}

void PaintComboBox(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    PaintFrame(copy, target, TRect::FromSize(0, 0, 100, 21), state);
    TSeSkinObject* button = Part(copy, L"Button");
    const int buttonWidth = button ? button->Width() : 15;
    const int textRight = 100 - 4 - buttonWidth;
    DrawPart(button, target, TRect(textRight, 2, textRight + buttonWidth, 19), state == ssPressed ? ssHot : state);
    DrawCaption(target, PartFont(copy, L"Text", ssNormal), L"1", TRect(4, 4, textRight, 17), DT_LEFT);
}

void PaintListBox(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    PaintFrame(copy, target, TRect::FromSize(0, 0, 150, 80), state);
    TSeSkinObject* frame = Part(copy, L"Frame");
    TSeSkinObject* item = Part(copy, L"Item");
    if (!frame || !item) return;
    const int left = frame->MarginLeft();
    const int right = 150 - frame->MarginRight();
    int y = frame->MarginTop();
    for (int i = 1; i <= 4; ++i) {
        int itemState = ssNormal;
        if (i == 2) itemState = state == ssDisabled ? ssDisabled : state == ssFocused ? ssFocused : ssPressed;
        item->SetText(L"");
        DrawPart(item, target, TRect(left, y, right, y + 16), itemState);
        DrawCaption(target, item->Font(), std::to_wstring(i), TRect(left + 2, y, right, y + 16), DT_LEFT);
        y += 16;
    }
}

void PaintGroupBox(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    const std::wstring caption = L"輸出檔案設定";
    TSeSkinObject* captionPart = Part(copy, L"Caption");
    const TFont& font = captionPart ? PartFont(copy, L"Caption", state) : copy.Font();
    target.SetFont(font);
    const int th = target.TextHeight(caption);
    const int tw = target.TextWidth(caption);
    const TRect frame(3, th / 2 + 1, 200 - 2, 100 - 2);
    const TRect captionRect(12 - 3, 0, 12 + tw + 3, th);
    if (TSeSkinObject* part = Part(copy, L"Frame")) {
        part->SetBounds(frame);
        part->Draw(target);
    }
    DrawPart(captionPart, target, captionRect, state);
    DrawCaption(target, font, caption, captionRect, DT_CENTER);
}

void PaintProgressBar(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    const TRect bounds = TRect::FromSize(0, 0, 200, 24);
    TSeSkinObject* frame = Part(copy, L"Frame");
    DrawPart(frame, target, bounds, state);
    TRect area = frame ? TRect(bounds.Left + frame->MarginLeft(), bounds.Top + frame->MarginTop(),
                               bounds.Right - frame->MarginRight(), bounds.Bottom - frame->MarginBottom())
                       : bounds.Inflate(-2);
    area.Right = area.Left + area.Width() * 3 / 5;
    DrawPart(Part(copy, L"BarHorz"), target, area, state);
}

// Text objects only lend their fonts to controls, and these parts stand in for others (a flat
// face, the roll-down button in place of the roll-up one): a control never draws them as they lie.
bool ShownInWholeTree(TSeSkinObject& part)
{
    if (part.ClassName() == L"TSeTextObject") return false;
    for (const wchar_t* alternate : {L"FlatFace", L"FlatChevron", L"ButtonRolldown"})
        if (part.Name() == alternate) return false;
    return true;
}

void PrepareWholeTree(TSeSkinObject& object, const std::wstring& label)
{
    for (int i = 0; i < object.ChildCount(); ++i) {
        TSeSkinObject& part = *object.ChildAt(i);
        part.SetVisible(ShownInWholeTree(part));
        for (const wchar_t* labelled : {L"Face", L"Tab", L"Caption", L"Fixed", L"Cell"})
            if (part.Name() == labelled) part.SetText(label);
        PrepareWholeTree(part, label);
    }
}

// Objects the program does not use: the whole tree at its stored layout.
void PaintWhole(TSeSkinObject& copy, TKsBitmap& target, int state)
{
    PrepareWholeTree(copy, copy.Name());
    copy.SetState(state);
    copy.SetBounds(TRect::FromSize(0, 0, 200, 100));
    copy.Draw(target);
}

std::vector<TRowPlan> SheetRows()
{
    return {
        {L"Form", {360, 120}, PaintForm},
        {L"MenuBar", {200, 21}, PaintMenuBar},
        {L"PopupMenu", {150, 80}, PaintPopupMenu},
        {L"RadioButton", {120, 40}, PaintMarks},
        {L"CheckBox", {120, 40}, PaintMarks},
        {L"ScrollBar", {187, 80}, PaintScrollBar},
        {L"Button", {75, 25}, PaintButton},
        {L"Edit", {150, 21}, PaintEdit},
        {L"ComboBox", {100, 21}, PaintComboBox},
        {L"ListBox", {150, 80}, PaintListBox},
        {L"GroupBox", {200, 100}, PaintGroupBox},
        {L"ProgressBar", {200, 24}, PaintProgressBar},
    };
}

TFont LabelFont(int height, bool bold)
{
    TFont font;
    font.SetName(L"Tahoma");
    font.SetHeight(height);
    font.SetColor(LabelColor);
    if (bold) font.SetStyle({fsBold});
    return font;
}

} // namespace

void DrawSkinSheet(const std::vector<uint8_t>& store, const std::wstring& bmpFileName)
{
    TSeSkinSource source(nullptr);
    {
        TMemoryStream stream(store);
        TSeSkinFilterCompressed filter;
        filter.SetSource(&source);
        filter.LoadFromStream(stream);
    }

    // The program's objects first, in the rows above, then every other top-level object.
    std::vector<TRowPlan> rows = SheetRows();
    for (int i = 0; i < source.Count(); ++i) {
        const std::wstring& name = source.Objects(i)->Name();
        if (std::none_of(rows.begin(), rows.end(), [&](const TRowPlan& row) { return name == row.Object; }))
            rows.push_back({source.Objects(i)->Name().c_str(), {200, 100}, PaintWhole});
    }

    int columnWidth = 0;
    int height = Margin + HeaderHeight;
    for (const TRowPlan& row : rows) {
        columnWidth = std::max(columnWidth, row.Size.Width);
        height += row.Size.Height + RowGap;
    }
    const int width = Margin + LabelWidth + static_cast<int>(Columns.size()) * (columnWidth + ColumnGap) + Margin;

    TKsBitmap sheet;
    sheet.SetSize(width, height + Margin);
    sheet.Fill(Background);

    sheet.SetFont(LabelFont(-12, true));
    for (size_t c = 0; c < Columns.size(); ++c) {
        const int x = Margin + LabelWidth + static_cast<int>(c) * (columnWidth + ColumnGap);
        sheet.DrawText(Columns[c].Label, TRect::FromSize(x, Margin, columnWidth, HeaderHeight - 8),
                       DT_LEFT | DT_SINGLELINE);
    }

    int y = Margin + HeaderHeight;
    for (const TRowPlan& row : rows) {
        TSeSkinObject* object = source.ObjectByName(row.Object);
        sheet.SetFont(LabelFont(-12, true));
        sheet.DrawText(row.Object, TRect::FromSize(Margin, y, LabelWidth, 16), DT_LEFT | DT_SINGLELINE);
        if (!object) {
            sheet.SetFont(LabelFont(-11, false));
            sheet.DrawText(L"(missing)", TRect::FromSize(Margin, y + 16, LabelWidth, 16), DT_LEFT | DT_SINGLELINE);
        }
        for (size_t c = 0; c < Columns.size() && object; ++c) {
            // Each drawing gets a cell of its own with the origin at its top-left, as a control's
            // buffer has: objects keep the coordinates of their unaligned parts.
            TKsBitmap cell;
            cell.SetSize(row.Size.Width, row.Size.Height);
            cell.Fill(Background);
            std::unique_ptr<TSeSkinObject> copy(object->Clone(nullptr));
            row.Paint(*copy, cell, Columns[c].State);
            cell.Draw(sheet, Margin + LabelWidth + static_cast<int>(c) * (columnWidth + ColumnGap), y);
        }
        y += row.Size.Height + RowGap;
    }

    TBgraImage image;
    image.Width = sheet.Width();
    image.Height = sheet.Height();
    const uint8_t* pixels = reinterpret_cast<const uint8_t*>(sheet.Bits());
    image.Pixels.assign(pixels, pixels + static_cast<size_t>(image.Width) * image.Height * 4);
    TMemoryStream(EncodeBmp(image)).SaveToFile(bmpFileName);
}

#include "skinctl/KsListBoxs.h"

#include "framework/SystemSettings.h"
#include "skin/raster/KsPlainFrames.h"

#include <memory>

namespace {

constexpr int kTextInset = 2;
constexpr uint32_t kBlackPixel = 0xFF000000;

// A rectangle of width x height centred vertically in cell, at its left.
TRect LeftCell(const TRect& text, int cellWidth, int width, int height)
{
    int left = text.Left + (cellWidth - width) / 2;
    int top = text.Top + (text.Height() - height) / 2;
    return TRect::FromSize(left, top, width, height);
}

} // namespace

const TKsBitmap& TrueTypeMark()
{
    static const std::unique_ptr<TKsBitmap> mark = [] {
        auto bitmap = std::make_unique<TKsBitmap>();
        TBitmapHandle resource(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), L"KS_TRUETYPE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (resource) {
            bitmap->AssignFromBitmap(resource.Get());
            bitmap->ReplaceKeyColor(clFuchsia);
            bitmap->SetAlphaBlend(true);
        }
        return bitmap;
    }();
    return *mark;
}

void TKsCustomListBox::RequestRepaint()
{
    if (paintPending_ && HandleAllocated()) return;
    paintPending_ = HandleAllocated();
    TKsCustomControl::RequestRepaint();
}

void TKsCustomListBox::PaintFace()
{
    TKsCustomControl::PaintFace();
    PaintFrame();
    PaintItems();
}

void TKsCustomListBox::PaintFrame()
{
    Surface().FillRect(ContentRect(), ColorToPixel(ContrastColor(Color(), clWindow)));
}

void TKsCustomListBox::PaintItems()
{
    const int box = kCheckBoxSize;
    layout_.ForEachShown(LayoutInput(), TopIndex(), [&](const TKsItemPlace& place) {
        if (showCheckBoxes_) {
            const TRect& cell = place.CheckCell;
            PaintCheckBox(place.Index, TRect::FromSize(cell.Left + (cell.Width() - box) / 2,
                                                       cell.Top + (cell.Height() - box) / 2, box, box));
        }
        TOwnerDrawState state = 0;
        if (selection_.Selected(place.Index)) state |= odSelected;
        if (place.Index == selection_.ItemIndex() && Focused()) state |= odFocused;
        PaintItem(Surface(), place.Index, place.Item, state);
        return true;
    });
}

void TKsCustomListBox::CallDrawItem(TKsBitmap& target, int index, const TRect& rect, TOwnerDrawState state)
{
    TCanvas canvas(target.DC());
    canvas.SetFont(Font());
    OnDrawItem(*this, canvas, index, rect, state);
    GdiFlush();
    // The platform's drawing leaves the alpha channel empty.
    target.SetAlpha(255, rect);
}

void TKsCustomListBox::PaintItem(TKsBitmap& target, int index, const TRect& rect, TOwnerDrawState state)
{
    if (OwnerDraws()) {
        CallDrawItem(target, index, rect, state);
        return;
    }
    if (state & odSelected) target.FillRect(rect, ColorToPixel(clHighlight));
    PaintItemContent(target, index, rect, Font(), state, false);
}

void TKsCustomListBox::PaintItemContent(TKsBitmap& target, int index, const TRect& rect, const TFont& font,
                                        TOwnerDrawState state, bool skinned)
{
    bool selected = state & odSelected;
    const std::wstring& text = items_.Strings(index);
    TRect textRect = rect;
    textRect.Left += ScaleValue(kTextInset);
    // The skin's item font carries the colours of the state; plain text shows selection and hover.
    UINT prefix = skinned ? 0 : DT_NOPREFIX;
    UINT oneLine = DT_SINGLELINE | DT_VCENTER | prefix;
    TFont textFont = font;
    if (!skinned) textFont.SetColor(ContrastColor(font.Color(), clWindowText));
    if (!skinned && selected)
        textFont.SetColor(clHighlightText);
    else if (!skinned && index == hotItem_)
        textFont.SetColor(clHighlight);
    bool focusRect = !skinned && !MultiSelect() && (state & odFocused);

    switch (listStyle_) {
    case lbFonts:
    case lbFontSamples: {
        if (items_.Objects(index) & kTrueTypeFamilyBit) {
            const TKsBitmap& mark = TrueTypeMark();
            if (!mark.Empty()) {
                TRect at = LeftCell(textRect, 18, mark.Width(), mark.Height());
                mark.Draw(target, at.Left, at.Top);
            }
        }
        if (listStyle_ == lbFontSamples) textFont.SetName(text);
        target.SetFont(textFont);
        target.DrawText(text, TRect(textRect.Left + 22, textRect.Top, textRect.Right, textRect.Bottom), oneLine);
        break;
    }
    case lbColors: {
        TRect swatch = textRect.Inflate(-4);
        TColor color = clNone;
        if (ListItemColor(text, color) && color != clNone && color != clDefault)
            target.FillRect(swatch, ColorToPixel(color));
        target.FrameRect(swatch, kBlackPixel);
        break;
    }
    case lbColorNames: {
        TRect swatch = LeftCell(textRect, 20, 20, 14);
        TColor color = clNone;
        if (ListItemColor(text, color) && color != clNone && color != clDefault)
            target.FillRect(swatch, ColorToPixel(color));
        target.FrameRect(swatch, kBlackPixel);
        target.SetFont(textFont);
        target.DrawText(ColorDisplayName(text), TRect(textRect.Left + 24, textRect.Top, textRect.Right, textRect.Bottom),
                         oneLine);
        break;
    }
    default:
        target.SetFont(textFont);
        target.DrawText(text, textRect, wordWrap_ ? DT_WORDBREAK | prefix : oneLine);
        break;
    }
    if (focusRect) target.DrawFocusRect(rect, ScaleValue(1));
}

void TKsCustomListBox::PaintCheckBox(int index, const TRect& rect)
{
    TKsCheckState state = selection_.CheckState(index);
    bool enabled = Enabled() && selection_.CheckEnabled(index);
    TKsBitmap& surface = Surface();
    RECT r = rect.ToRECT();
    UINT look = DFCS_BUTTONCHECK | (state != kcsUnchecked ? DFCS_CHECKED : 0) | (enabled ? 0 : DFCS_INACTIVE);
    if (!flat_ || (index == hotCheckBox_ && enabled)) {
        DrawFrameControl(surface.DC(), &r, DFC_BUTTON, look);
        GdiFlush();
        surface.SetAlpha(255, rect);
        return;
    }
    if (state != kcsUnchecked) {
        DrawFrameControl(surface.DC(), &r, DFC_BUTTON, look | DFCS_FLAT);
        GdiFlush();
        surface.SetAlpha(255, rect);
        FrameRing(surface, rect, 0, Dpi(), ColorToPixel(clWindow), ColorToPixel(clWindow));
    }
    FrameRing(surface, rect, 1, Dpi(), ColorToPixel(clBtnShadow), ColorToPixel(clBtnShadow));
}

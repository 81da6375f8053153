#include "skinctl/KsEdits.h"

#include "framework/SystemSettings.h"

#include <vector>

TRect TKsCustomEdit::TextRect()
{
    measure_.SetFont(Font());
    TRect content = ContentRect().Inflate(-ScaleValue(2));
    content.Bottom = content.Top + measure_.LineHeight();
    return content;
}

int TKsCustomEdit::PasswordCellWidth()
{
    measure_.SetFont(Font());
    return ::PasswordCellWidth(passwordKind_, passwordChar_, measure_);
}

TRect TKsCustomEdit::SelectionRect()
{
    TRect text = TextRect();
    TKsEditLayout layout = Layout();
    TRect selection = text;
    selection.Left = layout.CaretX(content_.SelStart(), firstVisible_);
    selection.Right = layout.CaretX(content_.SelStart() + content_.SelLength(), firstVisible_);
    return selection.Intersect(text);
}

TSeState TKsCustomEdit::FieldState() const
{
    if (!Enabled()) return ssDisabled;
    if (HasFocus()) return ssFocused;
    return Hot() ? ssHot : ssNormal;
}

void TKsCustomEdit::PaintFace()
{
    // Inside a paint the platform has hidden the caret: moving it now costs nothing to redraw.
    caret_.Place();
    TKsCustomControl::PaintFace();
    TRect text = TextRect();
    TRect background = TRect{text.Left, text.Top, text.Right, Height() - text.Top}.Inflate(ScaleValue(1));
    background.Right += ScaleValue(1);
    PaintTextBackground(background, Surface());
    if (SelectionShown()) Surface().FillRect(SelectionRect(), ColorToPixel(clHighlight));
    PaintText();
    if (SelectionShown()) PaintSelectedText();
}

void TKsCustomEdit::PaintTextBackground(const TRect& rect, TKsBitmap& target)
{
    target.FillRect(rect, ColorToPixel(ContrastColor(Color(), clWindow)));
}

void TKsCustomEdit::DrawVisibleText(const TRect& clip, COLORREF color)
{
    if (clip.IsEmpty()) return;
    TKsEditLayout layout = Layout();
    int end = layout.VisibleEnd(firstVisible_);
    if (end <= firstVisible_) return;
    // Every character is placed at the advance the layout gave it, so the caret and the selection
    // edges fall exactly between the drawn characters.
    std::vector<INT> advances(end - firstVisible_, 0);
    for (int pos = firstVisible_; pos < end; pos = NextCharPos(content_.Text(), pos))
        advances[pos - firstVisible_] = layout.CharWidth(pos);

    HDC dc = Surface().DC();
    TSelectObject font(dc, Font().Handle());
    SetTextColor(dc, color);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    RECT clipRect = clip.ToRECT();
    ExtTextOutW(dc, layout.CaretX(firstVisible_, firstVisible_), TextRect().Top, ETO_CLIPPED, &clipRect,
                content_.Text().data() + firstVisible_, static_cast<UINT>(advances.size()), advances.data());
}

void TKsCustomEdit::PaintText()
{
    if (passwordKind_ == pkNone) {
        DrawVisibleText(TextRect(), ColorToRGB(ContrastColor(Font().Color(), clWindowText)));
        return;
    }
    TRect text = TextRect();
    TKsEditLayout layout = Layout();
    int end = layout.VisibleEnd(firstVisible_);
    int x = layout.CaretX(firstVisible_, firstVisible_);
    int width = PasswordCellWidth();
    for (int pos = firstVisible_; pos < end; pos = NextCharPos(content_.Text(), pos), x += width)
        PaintPasswordCell({x, text.Top, x + width, text.Bottom}, false);
}

void TKsCustomEdit::PaintSelectedText()
{
    if (!content_.HasSelection()) return;
    if (passwordKind_ == pkNone) {
        DrawVisibleText(SelectionRect(), ColorToRGB(clHighlightText));
        return;
    }
    TRect text = TextRect();
    TKsEditLayout layout = Layout();
    int start = std::max(content_.SelStart(), firstVisible_);
    int end = std::min(content_.SelStart() + content_.SelLength(), layout.VisibleEnd(firstVisible_));
    int x = layout.CaretX(start, firstVisible_);
    int width = PasswordCellWidth();
    for (int pos = start; pos < end; pos = NextCharPos(content_.Text(), pos), x += width)
        PaintPasswordCell({x, text.Top, x + width, text.Bottom}, true);
}

void TKsCustomEdit::PaintPasswordCell(const TRect& rect, bool highlighted)
{
    TColor color = highlighted ? clHighlightText : ContrastColor(Font().Color(), clWindowText);
    DrawPasswordCell(Surface().DC(), rect, passwordKind_, passwordChar_, ColorToRGB(color), Font());
}

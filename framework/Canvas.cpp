#include "framework/Canvas.h"

void TCanvas::PrepareText()
{
    SetTextColor(dc_, ColorToRGB(font_.Color()));
    SetBkMode(dc_, brushStyle_ == bsClearBrush ? TRANSPARENT : OPAQUE);
    SetBkColor(dc_, ColorToRGB(brushColor_));
}

void TCanvas::FillRect(const TRect& rect)
{
    if (brushStyle_ == bsClearBrush) return;
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(brushColor_)));
    RECT r = rect.ToRECT();
    ::FillRect(dc_, &r, brush.Get());
}

void TCanvas::FrameRect(const TRect& rect)
{
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(brushColor_)));
    RECT r = rect.ToRECT();
    ::FrameRect(dc_, &r, brush.Get());
}

void TCanvas::Frame3D(const TRect& rect, TColor topLeft, TColor bottomRight)
{
    if (rect.IsEmpty()) return;
    TBrushHandle light(CreateSolidBrush(ColorToRGB(topLeft)));
    TBrushHandle dark(CreateSolidBrush(ColorToRGB(bottomRight)));
    RECT top{rect.Left, rect.Top, rect.Right - 1, rect.Top + 1};
    RECT left{rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1};
    RECT bottom{rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom};
    RECT right{rect.Right - 1, rect.Top, rect.Right, rect.Bottom};
    ::FillRect(dc_, &top, light.Get());
    ::FillRect(dc_, &left, light.Get());
    ::FillRect(dc_, &bottom, dark.Get());
    ::FillRect(dc_, &right, dark.Get());
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y)
{
    TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(penColor_)));
    TSelectObject selected(dc_, pen.Get());
    ::LineTo(dc_, x, y);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text)
{
    TSelectObject selected(dc_, font_.Handle());
    PrepareText();
    ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const TRect& rect, const std::wstring& text, UINT format)
{
    TSelectObject selected(dc_, font_.Handle());
    PrepareText();
    RECT r = rect.ToRECT();
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
}

SIZE TCanvas::TextExtent(const std::wstring& text)
{
    TSelectObject selected(dc_, font_.Handle());
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

#include "skinctl/KsEditPassword.h"

#include "framework/Handles.h"

#include <array>

namespace {

void FillClipped(HDC dc, HRGN shape, const TRect& clip, COLORREF color)
{
    TRegionHandle clipRegion(CreateRectRgn(clip.Left, clip.Top, clip.Right, clip.Bottom));
    CombineRgn(shape, shape, clipRegion.Get(), RGN_AND);
    TBrushHandle brush(CreateSolidBrush(color));
    FillRgn(dc, shape, brush.Get());
}

// A rounded rectangle whose corners are quarter circles of the given radius.
TRegionHandle RoundedRegion(const TRect& rect, int radius)
{
    return TRegionHandle(CreateRoundRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom, 2 * radius, 2 * radius));
}

// A square of the given side centred in cell.
TRect CentredSquare(const TRect& cell, int side)
{
    int left = cell.Left + (cell.Width() - side) / 2;
    int top = cell.Top + (cell.Height() - side) / 2;
    return TRect::FromSize(left, top, side, side);
}

} // namespace

int PasswordCellWidth(TPasswordKind kind, wchar_t passwordChar, TKsEditMeasure& measure)
{
    int width = 10;
    if (kind == pkChar) width = measure.CharWidth(std::wstring_view(&passwordChar, 1));
    if (kind >= pkRect) width = measure.CharWidth(L"W");
    return width == 0 ? 1 : width;
}

void DrawPasswordCell(HDC dc, const TRect& cell, TPasswordKind kind, wchar_t passwordChar, COLORREF color,
                      const TFont& font)
{
    TRect inner{cell.Left + 2, cell.Top + 3, cell.Right - 2, cell.Bottom - 3};
    switch (kind) {
    case pkChar: {
        TSavedDC saved(dc);
        IntersectClipRect(dc, cell.Left, cell.Top, cell.Right, cell.Bottom);
        TSelectObject selected(dc, font.Handle());
        SetTextColor(dc, color);
        SetBkMode(dc, TRANSPARENT);
        RECT r = cell.ToRECT();
        DrawTextW(dc, &passwordChar, 1, &r, DT_NOPREFIX | DT_SINGLELINE);
        break;
    }
    case pkRect: {
        TRegionHandle shape(CreateRectRgn(inner.Left, inner.Top, inner.Right, inner.Bottom));
        FillClipped(dc, shape.Get(), cell, color);
        break;
    }
    case pkRoundRect:
        FillClipped(dc, RoundedRegion(inner, 2).Get(), cell, color);
        break;
    case pkCircle: {
        int side = inner.Width();
        FillClipped(dc, RoundedRegion(CentredSquare(cell, side), side / 2 + 1).Get(), cell, color);
        break;
    }
    case pkTriangle: {
        int side = inner.Width() % 2 == 0 ? inner.Width() + 1 : inner.Width();
        TRect square = CentredSquare(cell, side);
        std::array<POINT, 3> corners{POINT{square.Left + side / 2 + 1, square.Top}, POINT{square.Right, square.Bottom},
                                     POINT{square.Left, square.Bottom}};
        TRegionHandle shape(CreatePolygonRgn(corners.data(), 3, ALTERNATE));
        FillClipped(dc, shape.Get(), cell, color);
        break;
    }
    case pkNone:
        break;
    }
}

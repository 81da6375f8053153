// Fills, frames, gradients, outlines, lines and text drawn into a TKsBitmap.
#include "skin/raster/KsBitmap.h"

#include "skin/raster/KsPixelKernels.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFFu;

void BlendSpan(TKsBitmap& bitmap, int left, int right, int y, uint32_t value)
{
    uint32_t* row = bitmap.Row(y);
    for (int x = left; x < right; ++x) row[x] = BlendPixel(value, row[x]);
}

void BlendColumn(TKsBitmap& bitmap, int x, int top, int bottom, uint32_t value)
{
    for (int y = top; y < bottom; ++y) bitmap.Row(y)[x] = BlendPixel(value, bitmap.Row(y)[x]);
}

// n / d rounded to the nearest integer, halves to the even neighbour; d > 0.
int RoundedDivision(int64_t n, int64_t d)
{
    int64_t q = n / d;
    int64_t r = n % d;
    if (r < 0) {
        --q;
        r += d;
    }
    if (2 * r > d || (2 * r == d && (q & 1) != 0)) ++q;
    return static_cast<int>(q);
}

uint32_t GradientColor(uint32_t start, uint32_t end, int k, int n)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int s = static_cast<int>((start >> shift) & 0xFF);
        const int e = static_cast<int>((end >> shift) & 0xFF);
        result |= static_cast<uint32_t>(s + RoundedDivision(int64_t{k} * (e - s), n)) << shift;
    }
    return result;
}

void FillRegion(TKsBitmap& bitmap, HRGN region, uint32_t value)
{
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size == 0) return;
    std::vector<uint8_t> data(size);
    auto* rgnData = reinterpret_cast<RGNDATA*>(data.data());
    if (GetRegionData(region, size, rgnData) == 0) return;
    const auto* rects = reinterpret_cast<const RECT*>(rgnData->Buffer);
    for (DWORD i = 0; i < rgnData->rdh.nCount; ++i) bitmap.FillRect(TRect(rects[i]), value);
}

// The rectangle that text drawn into rect with format can cover: rect itself, or with DT_NOCLIP
// rect widened by the text's own size in every direction.
TRect TextArea(const TKsBitmap& bitmap, const std::wstring& text, const TRect& rect, UINT format)
{
    if ((format & DT_NOCLIP) == 0) return rect;
    RECT extent{rect.Left, rect.Top, rect.Right, rect.Top};
    ::DrawTextW(bitmap.DC(), text.c_str(), static_cast<int>(text.size()), &extent, format | DT_CALCRECT);
    const int w = extent.right - extent.left;
    const int h = extent.bottom - extent.top;
    return {rect.Left - w, rect.Top - h, rect.Right + w, rect.Bottom + h};
}

} // namespace

void TKsBitmap::FillRect(const TRect& rect, uint32_t value)
{
    const TRect r = rect.Intersect(BoundsRect());
    if (r.IsEmpty()) return;
    for (int y = r.Top; y < r.Bottom; ++y) {
        if (alphaBlend_)
            BlendSpan(*this, r.Left, r.Right, y, value);
        else
            std::fill(Row(y) + r.Left, Row(y) + r.Right, value);
    }
}

void TKsBitmap::FrameRect(const TRect& rect, uint32_t topLeft, uint32_t bottomRight)
{
    const TRect r = rect.Intersect(BoundsRect());
    if (r.IsEmpty()) return;
    BlendSpan(*this, r.Left, r.Right - 1, r.Top, topLeft);
    BlendColumn(*this, r.Left, r.Top, r.Bottom - 1, topLeft);
    BlendSpan(*this, r.Left, r.Right, r.Bottom - 1, bottomRight);
    BlendColumn(*this, r.Right - 1, r.Top, r.Bottom - 1, bottomRight);
}

void TKsBitmap::FrameRect(const TRect& rect, uint32_t value) { FrameRect(rect, value, value); }

void TKsBitmap::CheckerFill(const TRect& rect, uint32_t base, uint32_t dot)
{
    const TRect r = rect.Intersect(BoundsRect());
    if (r.IsEmpty()) return;
    for (int y = r.Top; y < r.Bottom; ++y) {
        uint32_t* row = Row(y);
        for (int x = r.Left; x < r.Right; ++x) row[x] = ((x + y) & 1) == 0 ? dot : base;
    }
}

void TKsBitmap::GradientFill(const TRect& rect, uint32_t start, uint32_t end, bool vertical)
{
    const TRect r = rect.Intersect(BoundsRect());
    if (r.IsEmpty()) return;
    const int extent = vertical ? r.Height() : r.Width();
    const int steps = std::min(extent, 255);
    for (int k = 0; k <= steps; ++k) {
        const int from = RoundedDivision(int64_t{k} * extent, steps);
        const int to = RoundedDivision(int64_t{k + 1} * extent, steps);
        const TRect band = vertical ? TRect{r.Left, r.Top + from, r.Right, r.Top + to}
                                    : TRect{r.Left + from, r.Top, r.Left + to, r.Bottom};
        FillRect(band.Intersect(r), GradientColor(start, end, k, steps));
    }
}

void TKsBitmap::RoundRect(const TRect& rect, int corner, uint32_t value)
{
    if (Empty() || rect.IsEmpty()) return;
    TRegionHandle region(CreateRoundRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom, corner, corner));
    if (region) FillRegion(*this, region.Get(), value);
}

void TKsBitmap::Polygon(std::span<const TPoint> points, uint32_t value)
{
    if (Empty() || points.size() < 3) return;
    std::vector<POINT> vertices;
    vertices.reserve(points.size());
    for (const TPoint& p : points) vertices.push_back(POINT{p.X, p.Y});
    TRegionHandle region(CreatePolygonRgn(vertices.data(), static_cast<int>(vertices.size()), ALTERNATE));
    if (region) FillRegion(*this, region.Get(), value);
}

void TKsBitmap::DrawFocusRect(const TRect& rect, int dot)
{
    if (rect.IsEmpty() || dot < 1) return;
    // Every pixel of the outline band whose dot column plus dot row is even has its colour
    // inverted; alpha stays. Each pixel is visited once, so the frame inverts back when drawn again.
    auto invert = [this, dot](int x, int y) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_ && ((x / dot + y / dot) & 1) == 0) Row(y)[x] ^= kRgbMask;
    };
    const int top = std::min(rect.Top + dot, rect.Bottom), bottom = std::max(rect.Bottom - dot, top);
    const int left = std::min(rect.Left + dot, rect.Right), right = std::max(rect.Right - dot, left);
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        if (y < top || y >= bottom) {
            for (int x = rect.Left; x < rect.Right; ++x) invert(x, y);
            continue;
        }
        for (int x = rect.Left; x < left; ++x) invert(x, y);
        for (int x = right; x < rect.Right; ++x) invert(x, y);
    }
}

void TKsBitmap::MoveTo(int x, int y) { penPosition_ = {x, y}; }

void TKsBitmap::LineTo(int x, int y, uint32_t value)
{
    int cx = penPosition_.X;
    int cy = penPosition_.Y;
    const int dx = std::abs(x - cx);
    const int dy = -std::abs(y - cy);
    const int sx = cx < x ? 1 : -1;
    const int sy = cy < y ? 1 : -1;
    int error = dx + dy;
    while (cx != x || cy != y) {
        SetPixel(cx, cy, value);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            cx += sx;
        }
        if (twice <= dx) {
            error += dx;
            cy += sy;
        }
    }
    penPosition_ = {x, y};
}

int TKsBitmap::TextHeight(const std::wstring& text) const
{
    if (Empty()) return 0;
    TSelectObject font(dc_.Get(), font_.Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cy;
}

int TKsBitmap::TextWidth(const std::wstring& text, UINT format) const
{
    if (Empty()) return 0;
    TSelectObject font(dc_.Get(), font_.Handle());
    RECT extent{0, 0, 0, 0};
    ::DrawTextW(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &extent, format | DT_CALCRECT);
    return extent.right - extent.left;
}

void TKsBitmap::DrawText(const std::wstring& text, const TRect& rect, UINT format)
{
    if (Empty() || text.empty() || (format & DT_CALCRECT) != 0) return;
    TSelectObject font(dc_.Get(), font_.Handle());
    const TRect area = TextArea(*this, text, rect, format).Intersect(BoundsRect());
    if (area.IsEmpty()) return;

    // GDI text leaves alpha 0 in the pixels it writes (or keeps the old alpha). To find those
    // pixels, the area's alphas are first set to a marker that GDI never writes; afterwards every
    // pixel whose alpha or colour changed is text and becomes opaque, and the others get their
    // alpha back from the saved copy.
    constexpr uint32_t kMarker = 0x01000000u;
    std::vector<uint32_t> saved;
    saved.reserve(static_cast<size_t>(area.Width()) * area.Height());
    for (int y = area.Top; y < area.Bottom; ++y) {
        uint32_t* row = Row(y);
        for (int x = area.Left; x < area.Right; ++x) {
            saved.push_back(row[x]);
            row[x] = (row[x] & kRgbMask) | kMarker;
        }
    }

    SetBkMode(dc_.Get(), TRANSPARENT);
    SetTextColor(dc_.Get(), ColorToRGB(font_.Color()));
    RECT r = rect.ToRECT();
    ::DrawTextW(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &r, format);
    GdiFlush();

    const uint32_t* old = saved.data();
    for (int y = area.Top; y < area.Bottom; ++y) {
        uint32_t* row = Row(y);
        for (int x = area.Left; x < area.Right; ++x, ++old) {
            const bool written = (row[x] & ~kRgbMask) != kMarker || (row[x] & kRgbMask) != (*old & kRgbMask);
            row[x] = written ? row[x] | 0xFF000000u : *old;
        }
    }
}

// Copying, compositing, stretching and tiling one TKsBitmap onto another.
#include "skin/raster/KsBitmap.h"

#include "skin/raster/KsPixelKernels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Read access to a bitmap's pixels. When a bitmap is drawn onto itself the view is a copy, so that
// no row is read after it was overwritten.
struct TPixelView {
    const uint32_t* Bits;
    int Width;
    int Height;
    const uint32_t* Row(int y) const { return Bits + static_cast<size_t>(y) * Width; }
};

TPixelView ViewOf(const TKsBitmap& source, const TKsBitmap& target, std::vector<uint32_t>& copy)
{
    if (&source != &target) return {source.Bits(), source.Width(), source.Height()};
    copy.assign(source.Bits(), source.Bits() + static_cast<size_t>(source.Width()) * source.Height());
    return {copy.data(), source.Width(), source.Height()};
}

// a + b * c / d in 64 bits, rounded toward negative infinity, for mapping a clipped source edge
// onto the destination.
int ScaleEdge(int a, int b, int c, int d)
{
    const int64_t n = int64_t{b} * c;
    int64_t q = n / d;
    if ((n % d != 0) && ((n < 0) != (d < 0))) --q;
    return static_cast<int>(a + q);
}

} // namespace

void TKsBitmap::Draw(TKsBitmap& target, int x, int y) const { Draw(target, x, y, BoundsRect()); }

void TKsBitmap::Draw(TKsBitmap& target, int x, int y, const TRect& source) const
{
    if (Empty() || target.Empty()) return;
    // Only the part of source that exists is drawn, each pixel at the place it would have had.
    const TRect src = source.Intersect(BoundsRect());
    if (src.IsEmpty()) return;
    const TRect placed =
        TRect::FromSize(x + src.Left - source.Left, y + src.Top - source.Top, src.Width(), src.Height());
    const TRect dst = placed.Intersect(target.BoundsRect());
    if (dst.IsEmpty()) return;
    const int sx = src.Left + dst.Left - placed.Left;
    const int sy = src.Top + dst.Top - placed.Top;

    std::vector<uint32_t> copy;
    const TPixelView view = ViewOf(*this, target, copy);
    const size_t count = static_cast<size_t>(dst.Width());
    if (!alphaBlend_) {
        for (int row = 0; row < dst.Height(); ++row)
            std::memcpy(target.Row(dst.Top + row) + dst.Left, view.Row(sy + row) + sx, count * sizeof(uint32_t));
        return;
    }
    const TCompositeRow composite = CompositeRowKernel();
    for (int row = 0; row < dst.Height(); ++row) {
        uint32_t* out = target.Row(dst.Top + row) + dst.Left;
        composite(out, view.Row(sy + row) + sx, out, count);
    }
}

void TKsBitmap::DrawStretched(TKsBitmap& target, const TRect& destination, const TRect& source) const
{
    if (Empty() || target.Empty() || destination.IsEmpty() || source.IsEmpty()) return;
    const TRect src = source.Intersect(BoundsRect());
    if (src.IsEmpty()) return;
    if (destination.Width() == source.Width() && destination.Height() == source.Height()) {
        Draw(target, destination.Left, destination.Top, source);
        return;
    }

    if (!alphaBlend_) {
        // The platform's stretch, limited to the part of the source that exists and the matching
        // part of the destination.
        const TRect dst{ScaleEdge(destination.Left, src.Left - source.Left, destination.Width(), source.Width()),
                        ScaleEdge(destination.Top, src.Top - source.Top, destination.Height(), source.Height()),
                        ScaleEdge(destination.Left, src.Right - source.Left, destination.Width(), source.Width()),
                        ScaleEdge(destination.Top, src.Bottom - source.Top, destination.Height(), source.Height())};
        if (dst.IsEmpty()) return;
        StretchBlt(target.DC(), dst.Left, dst.Top, dst.Width(), dst.Height(), dc_.Get(), src.Left, src.Top,
                   src.Width(), src.Height(), SRCCOPY);
        GdiFlush();
        return;
    }

    const TRect dst = destination.Intersect(target.BoundsRect());
    if (dst.IsEmpty()) return;
    // Nearest pixel in 16.16 fixed point. The start offsets of a clipped destination use 65535, not
    // 65536; skins are drawn with that rounding, so it stays.
    const int64_t stepX = int64_t{source.Width()} * 65536 / destination.Width();
    const int64_t stepY = int64_t{source.Height()} * 65536 / destination.Height();
    int64_t fx = int64_t{source.Width()} * (dst.Left - destination.Left) * 65535 / destination.Width();
    int64_t fy = int64_t{source.Height()} * (dst.Top - destination.Top) * 65535 / destination.Height();

    // Source column of every destination column; -1 where the source rectangle leaves the bitmap.
    const size_t count = static_cast<size_t>(dst.Width());
    std::vector<int> columns(count);
    for (size_t i = 0; i < count; ++i, fx += stepX) {
        const int64_t sx = source.Left + (fx >> 16);
        columns[i] = sx >= 0 && sx < width_ ? static_cast<int>(sx) : -1;
    }

    std::vector<uint32_t> copy;
    const TPixelView view = ViewOf(*this, target, copy);
    const TCompositeRow composite = CompositeRowKernel();
    std::vector<uint32_t> gathered(count);
    int64_t gatheredRow = -1;
    for (int y = dst.Top; y < dst.Bottom; ++y, fy += stepY) {
        const int64_t sy = source.Top + (fy >> 16);
        if (sy < 0 || sy >= height_) continue;
        if (sy != gatheredRow) {
            const uint32_t* row = view.Row(static_cast<int>(sy));
            // A pixel of alpha 0 leaves the target as it is.
            for (size_t i = 0; i < count; ++i) gathered[i] = columns[i] >= 0 ? row[columns[i]] : 0;
            gatheredRow = sy;
        }
        uint32_t* out = target.Row(y) + dst.Left;
        composite(out, gathered.data(), out, count);
    }
}

void TKsBitmap::DrawTiled(TKsBitmap& target, const TRect& destination, const TRect& source) const
{
    const int w = source.Width();
    const int h = source.Height();
    if (w <= 0 || h <= 0 || destination.IsEmpty()) return;
    const TRect sourceInside = source.Intersect(BoundsRect());
    // Tiles never overlap, so drawing row by row gives the pixels of drawing tile by tile; only a
    // bitmap tiled onto itself, and a copy whose source reaches outside the bitmap, go by tile.
    if (&target != this && (alphaBlend_ || sourceInside == source)) {
        DrawTiledByRows(target, destination, source);
        return;
    }
    const int columns = destination.Width() / w + (destination.Width() % w != 0 ? 1 : 0);
    const int rows = destination.Height() / h + (destination.Height() % h != 0 ? 1 : 0);
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            const TRect tile =
                TRect::FromSize(destination.Left + column * w, destination.Top + row * h, w, h).Intersect(destination);
            if (tile.IsEmpty()) break;
            DrawStretched(target, tile, TRect::FromSize(source.Left, source.Top, tile.Width(), tile.Height()));
        }
    }
}

void TKsBitmap::DrawTiledByRows(TKsBitmap& target, const TRect& destination, const TRect& source) const
{
    if (Empty() || target.Empty()) return;
    const TRect dst = destination.Intersect(target.BoundsRect());
    if (dst.IsEmpty()) return;
    const int w = source.Width();
    const int h = source.Height();
    // One pattern row per source row: the source row repeated across dst as the tiles place it,
    // with alpha-0 pixels (which composite to nothing) where the source leaves the bitmap.
    const size_t count = static_cast<size_t>(dst.Width());
    std::vector<int> columns(count);
    for (size_t x = 0, phase = static_cast<size_t>((dst.Left - destination.Left) % w); x < count; ++x) {
        const int sx = source.Left + static_cast<int>(phase);
        columns[x] = sx >= 0 && sx < width_ ? sx : -1;
        if (++phase == static_cast<size_t>(w)) phase = 0;
    }
    const int patternRows = std::min(h, dst.Height());
    std::vector<uint32_t> pattern(count * patternRows, 0);
    for (int i = 0; i < patternRows; ++i) {
        const int sy = source.Top + (dst.Top - destination.Top + i) % h;
        if (sy < 0 || sy >= height_) continue;
        const uint32_t* row = Row(sy);
        uint32_t* patternRow = pattern.data() + i * count;
        for (size_t x = 0; x < count; ++x)
            if (columns[x] >= 0) patternRow[x] = row[columns[x]];
    }
    const TCompositeRow composite = CompositeRowKernel();
    for (int y = dst.Top; y < dst.Bottom; ++y) {
        const uint32_t* over = pattern.data() + static_cast<size_t>((y - dst.Top) % h) * count;
        uint32_t* out = target.Row(y) + dst.Left;
        if (alphaBlend_)
            composite(out, over, out, count);
        else
            std::memcpy(out, over, count * sizeof(uint32_t));
    }
}

void TKsBitmap::PutUnder(const TKsBitmap& background, int x, int y, const TRect& rect)
{
    if (Empty() || background.Empty()) return;
    const TRect area = rect.Intersect(background.BoundsRect());
    if (area.IsEmpty()) return;
    const int dx = x - rect.Left;
    const int dy = y - rect.Top;
    const TRect mine = area.Offset(dx, dy).Intersect(BoundsRect());
    if (mine.IsEmpty()) return;

    std::vector<uint32_t> copy;
    const TPixelView under = ViewOf(background, *this, copy);
    const TCompositeRow composite = CompositeRowKernel();
    const size_t count = static_cast<size_t>(mine.Width());
    for (int ty = mine.Top; ty < mine.Bottom; ++ty) {
        uint32_t* row = Row(ty) + mine.Left;
        composite(row, row, under.Row(ty - dy) + (mine.Left - dx), count);
    }
}

#include "skinctl/KsPaintBuffer.h"

#include <algorithm>
#include <cstring>

namespace {

// The buffer side for a control side: the next multiple of the granularity above it.
int BandedSide(int side) { return TKsPaintBuffer::kGranularity * (side / TKsPaintBuffer::kGranularity + 1); }

} // namespace

TKsPaintBuffer::TKsPaintBuffer() { bitmap_.SetSize(10, 10); }

bool TKsPaintBuffer::Fit(int width, int height, bool blend)
{
    const int g = kGranularity;
    const bool grow = width > bitmap_.Width() || height > bitmap_.Height();
    const bool shrink = width < bitmap_.Width() - g || height < bitmap_.Height() - g;
    const bool resized = grow || shrink;
    if (resized) bitmap_.SetSize(BandedSide(width), BandedSide(height));
    if (blend) blendBackground_.SetSize(bitmap_.Width(), bitmap_.Height());
    if (resized) dirty_ = true;
    return resized;
}

void TKsPaintBuffer::Render(const TKsLayers& layers)
{
    if (layers.Blend) {
        if (layers.Background) layers.Background(blendBackground_);
        blendBackground_.SetAlpha(255);
        if (layers.Transparent) blendBackground_.Draw(bitmap_, 0, 0);
        if (layers.Content) layers.Content();
        bitmap_.SetAlpha(static_cast<uint8_t>(layers.BlendValue & 0xFF));
        bitmap_.PutUnder(blendBackground_, 0, 0, blendBackground_.BoundsRect());
    } else {
        if (layers.Transparent && layers.Background) layers.Background(bitmap_);
        if (layers.Content) layers.Content();
    }
    dirty_ = false;
}

void TKsPaintBuffer::CopyTo(HDC dc, int x, int y, int width, int height) const
{
    bitmap_.CopyToDC(dc, x, y, TRect{0, 0, width, height}.Intersect(bitmap_.BoundsRect()));
}

void TKsPaintBuffer::SaveLook()
{
    if (look_.Width() != bitmap_.Width() || look_.Height() != bitmap_.Height())
        look_.SetSize(bitmap_.Width(), bitmap_.Height());
    std::memcpy(look_.Bits(), bitmap_.Bits(), sizeof(uint32_t) * bitmap_.Width() * bitmap_.Height());
}

bool TKsPaintBuffer::RestoreLook()
{
    if (look_.Empty() || look_.Width() != bitmap_.Width() || look_.Height() != bitmap_.Height()) return false;
    std::memcpy(bitmap_.Bits(), look_.Bits(), sizeof(uint32_t) * bitmap_.Width() * bitmap_.Height());
    return true;
}

uint64_t TKsPaintBuffer::Fingerprint(int width, int height) const
{
    // FNV-1a over the pixels, row by row.
    uint64_t hash = 14695981039346656037ull;
    const int columns = std::min(width, bitmap_.Width());
    for (int y = 0; y < std::min(height, bitmap_.Height()); ++y) {
        const uint32_t* row = bitmap_.Row(y);
        for (int x = 0; x < columns; ++x) hash = (hash ^ row[x]) * 1099511628211ull;
    }
    return hash;
}

TKsDCView::TKsDCView(HDC dc, TPoint origin) : dc_(dc), state_(SaveDC(dc))
{
    OffsetViewportOrgEx(dc, origin.X, origin.Y, nullptr);
}

TKsDCView::TKsDCView(HDC dc, TPoint origin, int width, int height) : TKsDCView(dc, origin)
{
    IntersectClipRect(dc, 0, 0, width, height);
}

TKsDCView::~TKsDCView()
{
    if (state_) RestoreDC(dc_, state_);
}

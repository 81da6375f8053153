#pragma once

#include "framework/Types.h"
#include "skin/raster/KsBitmap.h"

#include <windows.h>

#include <cstdint>
#include <functional>

// What a control composes into its paint buffer, in this order: the parent's background when it
// is transparent (or under a translucent control), then its content (border and face), then, when
// blended, the content mixed over the background by BlendValue's low 8 bits.
struct TKsLayers {
    bool Transparent = false;
    bool Blend = false;
    int BlendValue = 150;
    // Paints what lies under the control into the drawing context of the given bitmap.
    std::function<void(TKsBitmap&)> Background;
    // Draws the control's own pixels into the paint bitmap.
    std::function<void()> Content;
};

// The off-screen raster a skinned control renders into before one copy reaches the screen, with
// the second raster that holds the background while the control is blended. The buffer grows and
// shrinks in steps of kGranularity pixels, so that resizing does not re-create it on every pixel;
// only its top-left part of the control's size is ever shown.
class TKsPaintBuffer {
public:
    static constexpr int kGranularity = 30;

    TKsPaintBuffer();

    TKsBitmap& Bitmap() { return bitmap_; }
    const TKsBitmap& Bitmap() const { return bitmap_; }
    TKsBitmap& BlendBackground() { return blendBackground_; }

    bool Dirty() const { return dirty_; }
    void SetDirty(bool dirty) { dirty_ = dirty; }
    bool Usable() const { return !bitmap_.Empty(); }

    // Re-sizes for a control of width x height when that left the band around the current size
    // (and brings the blend background to the same size when blend is set). True when it re-sized.
    bool Fit(int width, int height, bool blend);
    // Composes layers into the buffer and clears the dirty flag.
    void Render(const TKsLayers& layers);
    // Copies the top-left width x height pixels to dc at (x, y).
    void CopyTo(HDC dc, int x, int y, int width, int height) const;

    // Keeps a copy of the rendered look, so that what one paint draws over it can be taken away
    // before the next.
    void SaveLook();
    // Puts the kept look back; false when there is none of the buffer's size.
    bool RestoreLook();
    // A number that changes when any of the top-left width x height pixels changes.
    uint64_t Fingerprint(int width, int height) const;

private:
    TKsBitmap bitmap_;
    TKsBitmap blendBackground_;
    TKsBitmap look_;
    bool dirty_ = true;
};

// A view of a drawing context for drawing one part: logical (0, 0) lands on the device point
// origin, drawing is clipped to the part's size (when given), and the context's state comes back
// when the view ends.
class TKsDCView {
public:
    TKsDCView(HDC dc, TPoint origin);
    TKsDCView(HDC dc, TPoint origin, int width, int height);
    ~TKsDCView();
    TKsDCView(const TKsDCView&) = delete;
    TKsDCView& operator=(const TKsDCView&) = delete;

private:
    HDC dc_;
    int state_;
};

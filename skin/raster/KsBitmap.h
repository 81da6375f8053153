#pragma once

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/Streams.h"
#include "framework/Types.h"
#include "skin/raster/KsHueShift.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

// Pixel values are 0xAARRGGBB (bytes blue, green, red, alpha in memory).
constexpr uint32_t kTransparentPixel = 0x007F007F;
// What Pixel() answers outside the bitmap.
constexpr uint32_t kOutsidePixel = 0xFF000000;

// The raster of the skin library: a 32-bit top-down DIB section selected into its own memory DC,
// so that both the software pixel loops and the platform's drawing services work on it. Skin
// bitmaps and every control's off-screen buffer are TKsBitmaps.
class TKsBitmap : public TPersistent {
public:
    TKsBitmap();
    ~TKsBitmap() override;
    // Links refer to a bitmap by address, so a bitmap never moves.
    TKsBitmap(const TKsBitmap&) = delete;
    TKsBitmap& operator=(const TKsBitmap&) = delete;

    // Negative sizes count as their absolute value; a zero side or the current size changes nothing.
    // Raises EOutOfResources and leaves the bitmap empty when the platform refuses.
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return bits_ == nullptr; }
    TRect BoundsRect() const { return {0, 0, width_, height_}; }
    // The pixel memory: Width() * Height() values, row after row, no padding; null when empty.
    uint32_t* Bits() { return bits_; }
    const uint32_t* Bits() const { return bits_; }
    uint32_t* Row(int y) { return bits_ + static_cast<size_t>(y) * width_; }
    const uint32_t* Row(int y) const { return bits_ + static_cast<size_t>(y) * width_; }
    // The memory DC the pixels are selected into; null when empty.
    HDC DC() const { return dc_.Get(); }

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }
    // When set, drawing this bitmap onto another composites by alpha; when clear, it copies.
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value) { alphaBlend_ = value; }
    const TFont& Font() const { return font_; }
    TFont& Font() { return font_; }
    void SetFont(const TFont& font) { font_ = font; }

    // Called after every resize (also when it failed), and before the pixel memory is released.
    std::function<void()> OnAfterResize;
    std::function<void()> OnBeforeRelease;

    // Whole-bitmap pixel operations.
    void Fill(uint32_t value);
    void SetAlpha(uint8_t alpha);
    void SetAlpha(uint8_t alpha, const TRect& rect);
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t value);
    // Every pixel whose red, green and blue equal those of color becomes kTransparentPixel.
    void ReplaceKeyColor(TColor color);
    // Moves the hue of every pixel with a non-zero alpha by delta steps of a 255-step circle; those
    // pixels become opaque.
    void ShiftHue(int delta);

    // Plain block copies to a platform DC (no alpha).
    void CopyToDC(HDC dc, int x, int y) const;
    void CopyToDC(HDC dc, int x, int y, const TRect& source) const;

    // Draws this bitmap (or the source rectangle of it) onto target with its top-left at (x, y):
    // a copy when AlphaBlend() is clear, an alpha composite when it is set. Only pixels that exist
    // in both bitmaps are touched; a source rectangle reaching outside this bitmap keeps the
    // placement of the pixels that exist.
    void Draw(TKsBitmap& target, int x, int y) const;
    void Draw(TKsBitmap& target, int x, int y, const TRect& source) const;
    // Scales source onto destination by nearest pixel.
    void DrawStretched(TKsBitmap& target, const TRect& destination, const TRect& source) const;
    // Repeats source over destination, column by column; partial tiles use the source's top-left part.
    void DrawTiled(TKsBitmap& target, const TRect& destination, const TRect& source) const;
    // Composites this bitmap over the pixels of rect in background (this pixel at rect's position,
    // moved by (x, y)) and keeps the result in this bitmap.
    void PutUnder(const TKsBitmap& background, int x, int y, const TRect& rect);

    // Shapes. Values are pixels; "blends" means the value is composited over the pixel by its alpha.
    // FillRect blends in alpha mode and sets otherwise; frames always blend.
    void FillRect(const TRect& rect, uint32_t value);
    void FrameRect(const TRect& rect, uint32_t topLeft, uint32_t bottomRight);
    void FrameRect(const TRect& rect, uint32_t value);
    void CheckerFill(const TRect& rect, uint32_t base, uint32_t dot);
    void GradientFill(const TRect& rect, uint32_t start, uint32_t end, bool vertical);
    void RoundRect(const TRect& rect, int corner, uint32_t value);
    void Polygon(std::span<const TPoint> points, uint32_t value);
    // A dotted frame that inverts the colour of every other pixel; drawing it twice restores the pixels.
    // dot is the side of each dot and the width of the line: larger on screens of a higher DPI.
    void DrawFocusRect(const TRect& rect, int dot = 1);
    void MoveTo(int x, int y);
    // Sets the pixels from the pen position up to, not including, (x, y); the pen moves there.
    void LineTo(int x, int y, uint32_t value);

    // Text with Font(), its colour and a transparent background; the pixels the text covers become opaque.
    int TextHeight(const std::wstring& text) const;
    int TextWidth(const std::wstring& text, UINT format = DT_SINGLELINE) const;
    void DrawText(const std::wstring& text, const TRect& rect, UINT format);

    // The bitmap record of the skin content: name (int32 count and ANSI bytes), int32 width,
    // int32 height, then width * height pixels as bytes blue, green, red, alpha. A record whose
    // pixel data ends early raises EReadError and leaves the bitmap as it was.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    // Resizes to the platform bitmap, draws it in and makes every pixel opaque.
    void AssignFromBitmap(HBITMAP bitmap);
    // A 24-bit copy of the pixels as a platform bitmap.
    TBitmapHandle ToBitmap() const;

    // The region of the pixels that are not transparent (colour 0x7F, 0x00, 0x7F, any alpha),
    // moved by (ox, oy); none when the bitmap is empty.
    TRegionHandle BuildRegion(int ox, int oy) const;

    // Lives exactly as long as this bitmap: links keep a weak reference to notice a freed bitmap.
    std::weak_ptr<const void> AliveToken() const { return alive_; }

private:
    void Release();
    void DrawTiledByRows(TKsBitmap& target, const TRect& destination, const TRect& source) const;

    std::shared_ptr<const void> alive_;
    TBitmapHandle bitmap_;
    TMemoryDC dc_;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::wstring name_;
    bool alphaBlend_ = false;
    TFont font_;
    TPoint penPosition_;
};

// A named rectangle (right and bottom exclusive) of one skin bitmap. The link does not own the
// bitmap; it notices when the bitmap was freed (an assertion in debug builds, an invalid link otherwise).
class TKsBitmapLink : public TPersistent {
public:
    TKsBitmapLink() = default;
    TKsBitmapLink(TKsBitmap* bitmap, const std::wstring& name, const TRect& rect);
    TKsBitmapLink(const TKsBitmapLink& other) { CopyFrom(other); }
    TKsBitmapLink& operator=(const TKsBitmapLink& other);

    // Copies bitmap reference, rectangle and name from another link; anything else raises EConvertError.
    void Assign(const TPersistent& source) override;

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }
    int Left() const { return rect_.Left; }
    int Top() const { return rect_.Top; }
    int Right() const { return rect_.Right; }
    int Bottom() const { return rect_.Bottom; }
    void SetLeft(int value) { rect_.Left = value; }
    void SetTop(int value) { rect_.Top = value; }
    void SetRight(int value) { rect_.Right = value; }
    void SetBottom(int value) { rect_.Bottom = value; }
    const TRect& Rect() const { return rect_; }
    void SetRect(const TRect& rect) { rect_ = rect; }

    // The resolved bitmap, or none.
    TKsBitmap* Bitmap() const;
    void SetBitmap(TKsBitmap* bitmap);

    // True when resolved and the rectangle's width * height is above 0.
    bool Valid() const;
    // Draws the rectangle onto target at (x, y) with the bitmap's own alpha mode.
    void Draw(TKsBitmap& target, int x, int y) const;

private:
    void CopyFrom(const TKsBitmapLink& other);

    std::wstring name_;
    TRect rect_;
    TKsBitmap* bitmap_ = nullptr;
    std::weak_ptr<const void> bitmapAlive_;
};

// The skin's bitmaps, owned.
class TKsBitmapList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // The bitmap at index, or none when out of range.
    TKsBitmap* Item(int index) const;
    TKsBitmap* Add(std::unique_ptr<TKsBitmap> bitmap);
    void Clear() { items_.clear(); }
    // A new link to rect of the bitmap named name (ignoring ASCII case); the last match wins; none
    // when no bitmap has that name.
    std::unique_ptr<TKsBitmapLink> FindLink(const std::wstring& name, const TRect& rect) const;

private:
    std::vector<std::unique_ptr<TKsBitmap>> items_;
};

// Pixel and colour conversion. System colours are resolved first.
uint32_t ColorToPixel(TColor color, uint8_t alpha = 255);
TColor PixelToColor(uint32_t pixel);
// Each of r, g, b is clamped into 0..255.
uint32_t MakePixel(int r, int g, int b, uint8_t alpha = 255);

// The Rect* helpers that TRect does not already offer (TRect has Width, Height, IsEmpty, Inflate, ==).
// rect moved to within's left edge, centred vertically in it (offset truncated toward zero).
TRect RectAtLeftCentered(const TRect& rect, const TRect& within);
// rect centred in within in both directions.
TRect RectCentered(const TRect& rect, const TRect& within);

// text unchanged when it fits into maxWidth with the font selected into dc; else the longest
// prefix that still fits followed by "..." (at least "...").
std::wstring ShortenText(HDC dc, const std::wstring& text, int maxWidth);

#include "skinctl/KsButtonGlyph.h"

#include "framework/Dpi.h"
#include "skin/raster/KsBitmapResample.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFFu;

// n / d rounded to the nearest integer, a half to the even neighbour; n >= 0, d > 0.
int RoundHalfEven(int n, int d)
{
    int q = n / d;
    const int r = n % d;
    if (2 * r > d || (2 * r == d && (q & 1) != 0)) ++q;
    return q;
}

// max + min of the red, green and blue bytes: the lightness on a 0..510 scale.
int LightnessSum(uint32_t pixel)
{
    const int r = (pixel >> 16) & 0xFF;
    const int g = (pixel >> 8) & 0xFF;
    const int b = pixel & 0xFF;
    return std::max({r, g, b}) + std::min({r, g, b});
}

uint32_t Grey(uint8_t level) { return 0xFF000000u | (uint32_t{level} << 16) | (uint32_t{level} << 8) | level; }

} // namespace

uint8_t LightnessGrey(uint32_t pixel) { return static_cast<uint8_t>(RoundHalfEven(LightnessSum(pixel), 2)); }

uint8_t DisabledGrey(uint32_t pixel)
{
    // L x 50 = sum x 50 / 510 = sum x 5 / 51.
    return static_cast<uint8_t>(RoundHalfEven(LightnessSum(pixel) * 5, 51) + 160);
}

std::unique_ptr<TKsBitmap> ScaledGlyph(const TKsBitmap& glyph, int dpi)
{
    auto scaled = std::make_unique<TKsBitmap>();
    const int width = glyph.Width(), height = glyph.Height();
    if (glyph.Empty()) return scaled;
    if (dpi == kDesignDpi) {
        scaled->SetSize(width, height);
        std::memcpy(scaled->Bits(), glyph.Bits(), sizeof(uint32_t) * width * height);
        return scaled;
    }
    // The transparent colour becomes alpha for the resampling, and comes back where alpha stays out.
    const uint32_t transparent = glyph.Pixel(0, height - 1) & kRgbMask;
    TKsBitmap keyed;
    keyed.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = glyph.Pixel(x, y) & kRgbMask;
            keyed.SetPixel(x, y, pixel == transparent ? kTransparentPixel : pixel | 0xFF000000u);
        }
    const int cells = width % height == 0 ? width / height : 1;
    const int cellWidth = width / cells, scaledCell = std::max(ScaleByDpi(cellWidth, dpi), 1);
    scaled->SetSize(cells * scaledCell, std::max(ScaleByDpi(height, dpi), 1));
    for (int cell = 0; cell < cells; ++cell)
        ResampleRect(keyed, TRect::FromSize(cell * cellWidth, 0, cellWidth, height), *scaled,
                     TRect::FromSize(cell * scaledCell, 0, scaledCell, scaled->Height()), true);
    uint32_t* pixels = scaled->Bits();
    for (int i = 0; i < scaled->Width() * scaled->Height(); ++i)
        if (pixels[i] == kTransparentPixel) pixels[i] = transparent | 0xFF000000u;
    return scaled;
}

void DrawGlyphCell(const TKsBitmap& glyph, int cell, int cellWidth, TKsBitmap& target, TPoint at, TKsGlyphLook look)
{
    if (glyph.Empty() || cellWidth <= 0) return;
    const int height = glyph.Height();
    const uint32_t transparent = glyph.Pixel(0, height - 1) & kRgbMask;
    const int left = cell * cellWidth;
    for (int x = 0; x < cellWidth; ++x) {
        for (int y = 0; y < height; ++y) {
            uint32_t pixel = glyph.Pixel(left + x, y);
            if ((pixel & kRgbMask) == transparent) continue;
            if (look.BlackAndWhite) pixel = Grey(LightnessGrey(pixel));
            if (look.DisabledGreys) pixel = Grey(DisabledGrey(pixel));
            target.SetPixel(at.X + x, at.Y + y, pixel | 0xFF000000u);
        }
    }
}

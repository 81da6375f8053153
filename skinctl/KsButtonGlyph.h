#pragma once

#include "framework/Types.h"
#include "skin/raster/KsBitmap.h"

#include <cstdint>
#include <memory>

// How a button shows one cell of its glyph.
struct TKsGlyphLook {
    // Grey by lightness, for a black-and-white glyph while the pointer is elsewhere.
    bool BlackAndWhite = false;
    // Light greys, for a disabled button whose glyph has no cell of its own for that.
    bool DisabledGreys = false;
};

// The grey of a pixel's lightness: round(L x 255) with L = (max + min) / 2 of its channels on a 0..1
// scale; a half rounds to the even neighbour.
uint8_t LightnessGrey(uint32_t pixel);
// The light grey of a disabled glyph: round(L x 50) + 160, from 160 to 210.
uint8_t DisabledGrey(uint32_t pixel);

// A copy of glyph for dpi: each square cell (the whole glyph when it is not made of square cells)
// resampled to its size at dpi, its transparent colour kept around sharp edges; at 96 DPI a plain copy.
std::unique_ptr<TKsBitmap> ScaledGlyph(const TKsBitmap& glyph, int dpi);

// Draws cell (0-based) of a glyph made of cells side by side, each cellWidth wide, into target with
// its top-left at at. Pixels of the glyph's transparent colour (that of its bottom-left pixel) are
// skipped; the others are written opaque, turned grey as look asks.
void DrawGlyphCell(const TKsBitmap& glyph, int cell, int cellWidth, TKsBitmap& target, TPoint at, TKsGlyphLook look);

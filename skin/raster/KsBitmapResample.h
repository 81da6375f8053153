#pragma once

#include "framework/Dpi.h"
#include "skin/raster/KsBitmap.h"

// Redraws the from rectangle of source into the to rectangle of target at the new size. Every
// target pixel is the mean of the source area it covers, weighted by how much of each source pixel
// it covers and by that pixel's alpha: edges stay as sharp as the new size allows, nothing rings,
// and no colour leaks out of transparent pixels. Only pixels inside from are read, so neighbouring
// cells of a bitmap never bleed into each other. A target pixel left without alpha becomes the
// transparent pixel. With hardAlpha every pixel ends fully opaque (when at least half covered) or
// transparent, as a window's outline must. Both rectangles must lie inside their bitmaps.
void ResampleRect(const TKsBitmap& source, const TRect& from, TKsBitmap& target, const TRect& to, bool hardAlpha);

// True when every pixel of bitmap is fully transparent or fully opaque.
bool HasHardAlpha(const TKsBitmap& bitmap);

// Where a cell of a bitmap lies once the bitmap is resampled for dpi: its edges are scaled, so that
// neighbouring cells stay neighbours.
inline TRect ScaledCell(const TRect& cell, int dpi)
{
    return {ScaleByDpi(cell.Left, dpi), ScaleByDpi(cell.Top, dpi), ScaleByDpi(cell.Right, dpi),
            ScaleByDpi(cell.Bottom, dpi)};
}

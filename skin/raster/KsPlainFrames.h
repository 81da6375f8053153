#pragma once

#include "framework/Types.h"
#include "skin/raster/KsBitmap.h"

// Plain-look button frames: button face with a two-pixel 3D frame, or with a one-pixel shadow frame.
void DrawRaisedFrame(TKsBitmap& bitmap, const TRect& rect);
void DrawFlatFrame(TKsBitmap& bitmap, const TRect& rect);

// One ring of a plain frame of one-pixel lines at 96 DPI, drawn at dpi: the band from the design inset
// ring to ring + 1 inside rect, each end scaled, so the frame keeps its proportions at every DPI.
void FrameRing(TKsBitmap& bitmap, const TRect& rect, int ring, int dpi, uint32_t topLeft, uint32_t bottomRight);

#pragma once

#include "framework/Types.h"
#include "skin/raster/KsBitmap.h"

// Plain-look button frames: button face with a two-pixel 3D frame, or with a one-pixel shadow frame.
void DrawRaisedFrame(TKsBitmap& bitmap, const TRect& rect);
void DrawFlatFrame(TKsBitmap& bitmap, const TRect& rect);

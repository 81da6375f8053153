#pragma once

#include "framework/Dpi.h"
#include "framework/Handles.h"
#include "framework/ImgList.h"
#include "skin/raster/KsBitmap.h"

#include <windows.h>

// What every skinned frame of the process shares, made on first use and freed at program end.

// The buffer frames without Blend paint into: the screen plus 500 pixels in each direction.
TKsBitmap& SharedPaintBuffer();
// The caption fonts of the plain look: the system's caption font and small-caption font as they are at dpi.
HFONT CaptionFont(int dpi = kDesignDpi);
HFONT SmallCaptionFont(int dpi = kDesignDpi);
// The system-menu images: close, minimize, maximize, restore, roll up and tray (indexes 0 to 5),
// masked by magenta. Raises when a resource of the program is missing.
TCustomImageList& SystemMenuImages();

// The indexes of the system-menu images.
enum TKsSystemMenuImage { smiClose, smiMinimize, smiMaximize, smiRestore, smiRollup, smiTray };

#pragma once

#include "framework/Types.h"

// Where a combo box's drop-down window goes: below the box, as wide as it and height pixels high;
// above the box when it would pass the bottom of the display, and moved left when it would pass
// its right edge. combo and display are in screen coordinates.
TRect DropDownRect(const TRect& combo, int height, const TRect& display);

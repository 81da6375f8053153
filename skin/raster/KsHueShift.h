#pragma once

#include "framework/Graphics.h"

#include <cstdint>

// Hue shifting in HSL space on a hue circle of 255 steps: the hue is rounded to a step, moved by
// delta and brought back into range by one correction of 255 each way. Saturation and lightness
// stay; every rounding goes to the nearest integer, halves to the even neighbour.

// The pixel's colour shifted; the result is opaque whatever the pixel's alpha.
uint32_t ShiftPixelHue(uint32_t pixel, int delta);
// The colour shifted after resolving system colours; the result is a plain RGB colour.
TColor ShiftColorHue(TColor color, int delta);

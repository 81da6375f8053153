#pragma once

#include "skin/engine/KsSkinSource.h"

#include <memory>

// The skin as it looks at dpi: every bitmap resampled by dpi / 96 cell by cell (each rectangle the
// objects link to is resampled on its own, so states stacked in one bitmap never bleed into each
// other, and a bitmap whose pixels are only opaque or transparent stays so), and every object with
// its bounds, margins, text margins, font heights and link rectangles scaled alike. Drawn with the
// unchanged drawing code, nine-sliced parts keep their corners at the scaled margins and stretch or
// tile their centres as each object says. The copy is independent of source.
// art200, when given, holds the same bitmaps drawn at 200 %: a bitmap found there by name at exactly
// twice the size is resampled from there, by dpi / 192, instead.
std::unique_ptr<TSeSkinSource> ScaledSkinSource(const TSeSkinSource& source, int dpi,
                                                const TSeSkinSource* art200 = nullptr);

// From 168 DPI (175 %) on, the art drawn at 200 % looks better than the 96-DPI art enlarged.
constexpr int kArt200FromDpi = 168;

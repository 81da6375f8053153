#pragma once

#include "skin/raster/KsBitmap.h"
#include "tests/support/HandleCounts.h"

#include <windows.h>

#include <memory>

// A bitmap of the given size whose pixel (x, y) is pixel(x, y).
template <typename F>
std::unique_ptr<TKsBitmap> MakeBitmap(int width, int height, F pixel)
{
    auto bitmap = std::make_unique<TKsBitmap>();
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap->SetPixel(x, y, pixel(x, y));
    return bitmap;
}

inline std::unique_ptr<TKsBitmap> MakeFilledBitmap(int width, int height, uint32_t value)
{
    return MakeBitmap(width, height, [value](int, int) { return value; });
}

// An opaque pixel that tells where it came from.
inline uint32_t Marker(int x, int y)
{
    return 0xFF000000u | (static_cast<uint32_t>(y) << 8) | static_cast<uint32_t>(x);
}


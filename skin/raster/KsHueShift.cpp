#include "skin/raster/KsHueShift.h"

#include <algorithm>
#include <cmath>

namespace {

struct THsl {
    double H = 0;
    double S = 0;
    double L = 0;
};

THsl RgbToHsl(double r, double g, double b)
{
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    THsl hsl;
    hsl.L = (max + min) / 2;
    if (max == min) return hsl;
    const double d = max - min;
    hsl.S = hsl.L < 0.5 ? d / (max + min) : d / (2 - max - min);
    double h;
    if (max == r)
        h = (g - b) / d;
    else if (max == g)
        h = (b - r) / d + 2;
    else
        h = (r - g) / d + 4;
    h /= 6;
    if (h < 0) h += 1;
    hsl.H = h;
    return hsl;
}

double HueToChannel(double p, double q, double t)
{
    t -= std::floor(t);
    if (6 * t < 1) return p + (q - p) * 6 * t;
    if (2 * t < 1) return q;
    if (3 * t < 2) return p + (q - p) * (2.0 / 3.0 - t) * 6;
    return p;
}

// Nearest integer, halves to the even neighbour (what std::nearbyint gives in the default rounding
// mode, written out because the library call costs more than the whole colour conversion).
int RoundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    const auto result = static_cast<int>(below);
    if (fraction > 0.5 || (fraction == 0.5 && (result & 1) != 0)) return result + 1;
    return result;
}

// Rounds a channel in 0..1 to 0..255.
uint32_t ToByte(double channel) { return static_cast<uint32_t>(std::clamp(RoundHalfEven(channel * 255), 0, 255)); }

// Shifts the colour 0x00RRGGBB (pixel byte order) and returns it in the same order.
uint32_t ShiftRgb(uint32_t rgb, int delta)
{
    const THsl hsl = RgbToHsl(((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
    int step = RoundHalfEven(hsl.H * 255) + delta;
    if (step >= 256) step -= 255;
    if (step < 0) step += 255;
    const double h = step / 255.0;

    uint32_t r, g, b;
    if (hsl.S == 0) {
        r = g = b = ToByte(hsl.L);
    } else {
        const double q = hsl.L <= 0.5 ? hsl.L * (1 + hsl.S) : hsl.L + hsl.S - hsl.L * hsl.S;
        const double p = 2 * hsl.L - q;
        r = ToByte(HueToChannel(p, q, h + 1.0 / 3.0));
        g = ToByte(HueToChannel(p, q, h));
        b = ToByte(HueToChannel(p, q, h - 1.0 / 3.0));
    }
    return (r << 16) | (g << 8) | b;
}

} // namespace

uint32_t ShiftPixelHue(uint32_t pixel, int delta) { return 0xFF000000u | ShiftRgb(pixel & 0x00FFFFFFu, delta); }

TColor ShiftColorHue(TColor color, int delta)
{
    const COLORREF rgb = ColorToRGB(color);
    const uint32_t shifted = ShiftRgb((GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb), delta);
    return static_cast<TColor>(RGB((shifted >> 16) & 0xFF, (shifted >> 8) & 0xFF, shifted & 0xFF));
}

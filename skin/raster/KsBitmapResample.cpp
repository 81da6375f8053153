#include "skin/raster/KsBitmapResample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// One source pixel feeding a target pixel, with the share of the target pixel it covers.
struct TTap {
    int Source;
    float Weight;
};

// For each of targetLength target pixels, the source pixels under it: target pixel i covers the
// source span [i * s, (i + 1) * s) with s = sourceLength / targetLength.
class TTaps {
public:
    TTaps(int sourceLength, int targetLength) : starts_(targetLength + 1)
    {
        const double step = static_cast<double>(sourceLength) / targetLength;
        for (int i = 0; i < targetLength; ++i) {
            starts_[i] = static_cast<int>(taps_.size());
            const double from = i * step, to = (i + 1) * step;
            const int last = std::min(static_cast<int>(std::ceil(to)), sourceLength);
            for (int j = static_cast<int>(from); j < last; ++j) {
                const double overlap = std::min<double>(to, j + 1) - std::max<double>(from, j);
                if (overlap > 0) taps_.push_back({j, static_cast<float>(overlap / step)});
            }
        }
        starts_[targetLength] = static_cast<int>(taps_.size());
    }

    const TTap* begin(int i) const { return taps_.data() + starts_[i]; }
    const TTap* end(int i) const { return taps_.data() + starts_[i + 1]; }

private:
    std::vector<int> starts_;
    std::vector<TTap> taps_;
};

// Alpha, then blue, green and red each multiplied by alpha.
using TPremultiplied = std::array<float, 4>;

TPremultiplied Premultiply(uint32_t pixel)
{
    const float alpha = static_cast<float>(pixel >> 24);
    return {alpha, alpha * (pixel & 0xFF), alpha * ((pixel >> 8) & 0xFF), alpha * ((pixel >> 16) & 0xFF)};
}

uint32_t Channel(float premultiplied, float alpha)
{
    return static_cast<uint32_t>(std::clamp(std::nearbyint(premultiplied / alpha), 0.0f, 255.0f));
}

uint32_t Straight(const TPremultiplied& value, bool hardAlpha)
{
    const float alpha = value[0];
    const float opaqueFrom = hardAlpha ? 127.5f : 0.5f;
    if (alpha < opaqueFrom) return kTransparentPixel;
    const uint32_t a = hardAlpha ? 255u : static_cast<uint32_t>(std::min(std::nearbyint(alpha), 255.0f));
    return (a << 24) | (Channel(value[3], alpha) << 16) | (Channel(value[2], alpha) << 8) | Channel(value[1], alpha);
}

} // namespace

void ResampleRect(const TKsBitmap& source, const TRect& from, TKsBitmap& target, const TRect& to, bool hardAlpha)
{
    if (from.IsEmpty() || to.IsEmpty() || source.Empty() || target.Empty()) return;
    const int width = to.Width(), height = to.Height(), rows = from.Height();
    const TTaps across(from.Width(), width), down(rows, height);

    // Across first, for every source row of from; then down into the target.
    std::vector<TPremultiplied> wide(static_cast<size_t>(rows) * width);
    for (int y = 0; y < rows; ++y) {
        const uint32_t* row = source.Row(from.Top + y) + from.Left;
        TPremultiplied* out = wide.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            TPremultiplied sum{};
            for (const TTap* tap = across.begin(x); tap != across.end(x); ++tap) {
                const TPremultiplied value = Premultiply(row[tap->Source]);
                for (int c = 0; c < 4; ++c) sum[c] += value[c] * tap->Weight;
            }
            out[x] = sum;
        }
    }
    for (int y = 0; y < height; ++y) {
        uint32_t* out = target.Row(to.Top + y) + to.Left;
        for (int x = 0; x < width; ++x) {
            TPremultiplied sum{};
            for (const TTap* tap = down.begin(y); tap != down.end(y); ++tap) {
                const TPremultiplied& value = wide[static_cast<size_t>(tap->Source) * width + x];
                for (int c = 0; c < 4; ++c) sum[c] += value[c] * tap->Weight;
            }
            out[x] = Straight(sum, hardAlpha);
        }
    }
}

bool HasHardAlpha(const TKsBitmap& bitmap)
{
    const uint32_t* pixels = bitmap.Bits();
    const size_t count = static_cast<size_t>(bitmap.Width()) * bitmap.Height();
    return std::all_of(pixels, pixels + count, [](uint32_t pixel) {
        const uint32_t alpha = pixel >> 24;
        return alpha == 0 || alpha == 255;
    });
}

// Times the skin bitmap's drawing paths against memcpy of the same number of target pixels:
// copying a full-screen bitmap with alpha mode off and with mixed alpha, stretching and tiling
// skin-sized sources into a window-sized target with alpha, and the hue shift of a skin's worth of
// pixels. Every figure is the best of several runs after one untimed warm-up run.
#include "skin/raster/KsBitmap.h"
#include "skin/raster/KsPixelKernels.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kRuns = 15;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency;
}

// Best time of kRuns runs after one warm-up run, in milliseconds.
double BestOf(const std::function<void()>& work)
{
    work();
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&stop);
        best = std::min(best, Seconds(start, stop) * 1000);
    }
    return best;
}

// A third each of transparent, opaque and in-between alphas, chosen per pixel: the hardest case
// for the vector paths, which take their shortcuts only when a whole vector is opaque or clear.
void FillMixed(TKsBitmap& bitmap, uint32_t seed)
{
    std::mt19937 random(seed);
    uint32_t* p = bitmap.Bits();
    for (size_t i = 0, n = static_cast<size_t>(bitmap.Width()) * bitmap.Height(); i < n; ++i) {
        const uint32_t rgb = random() & 0x00FFFFFFu;
        const uint32_t kind = random() % 3;
        const uint32_t alpha = kind == 0 ? 0 : kind == 1 ? 255 : 1 + random() % 254;
        p[i] = (alpha << 24) | rgb;
    }
}

void FillOpaque(TKsBitmap& bitmap, uint32_t seed)
{
    std::mt19937 random(seed);
    uint32_t* p = bitmap.Bits();
    for (size_t i = 0, n = static_cast<size_t>(bitmap.Width()) * bitmap.Height(); i < n; ++i)
        p[i] = random() | 0xFF000000u;
}

std::unique_ptr<TKsBitmap> NewBitmap(int width, int height)
{
    auto bitmap = std::make_unique<TKsBitmap>();
    bitmap->SetSize(width, height);
    return bitmap;
}

// memcpy of pixelCount pixels between two buffers of that size.
double MemcpyTime(size_t pixelCount)
{
    std::vector<uint32_t> from(pixelCount, 0x12345678u), to(pixelCount);
    return BestOf([&] { std::memcpy(to.data(), from.data(), pixelCount * sizeof(uint32_t)); });
}

void Figure(const char* what, double ms, double referenceMs)
{
    std::printf("%-44s %9.3f ms  (%.2f x memcpy)\n", what, ms, ms / referenceMs);
}

} // namespace

int main()
{
    const char* kernel = ProcessorHasAvx2() ? "AVX2" : "SSE2";
    std::printf("blend kernel in use: %s\n", kernel);

    // Full-screen copy with alpha mode off and with mixed alpha.
    const size_t screenPixels = size_t{kScreenWidth} * kScreenHeight;
    const double screenMemcpy = MemcpyTime(screenPixels);
    auto source = NewBitmap(kScreenWidth, kScreenHeight);
    auto target = NewBitmap(kScreenWidth, kScreenHeight);
    FillOpaque(*target, 2);
    FillOpaque(*source, 1);
    const double drawOpaque = BestOf([&] { source->Draw(*target, 0, 0); });
    FillMixed(*source, 3);
    source->SetAlphaBlend(true);
    const double drawAlpha = BestOf([&] { source->Draw(*target, 0, 0); });

    std::printf("\n%d x %d pixels\n", kScreenWidth, kScreenHeight);
    Figure("memcpy", screenMemcpy, screenMemcpy);
    Figure("draw, alpha mode off", drawOpaque, screenMemcpy);
    Figure("draw, mixed alpha", drawAlpha, screenMemcpy);
    // The same composite through each kernel directly, row by row.
    const std::pair<const char*, TCompositeRow> kernels[] = {
        {"  rows through the scalar kernel", CompositeRowScalar},
        {"  rows through the SSE2 kernel", CompositeRowSse2},
        {"  rows through the AVX2 kernel", ProcessorHasAvx2() ? CompositeRowAvx2 : nullptr}};
    for (const auto& [name, row] : kernels) {
        if (!row) continue;
        const double ms = BestOf([&] {
            for (int y = 0; y < kScreenHeight; ++y) row(target->Row(y), source->Row(y), target->Row(y), kScreenWidth);
        });
        Figure(name, ms, screenMemcpy);
    }

    // Stretch and tile of skin-sized sources into a window-sized target, with alpha.
    const size_t windowPixels = size_t{kWindowWidth} * kWindowHeight;
    const double windowMemcpy = MemcpyTime(windowPixels);
    auto window = NewBitmap(kWindowWidth, kWindowHeight);
    FillOpaque(*window, 4);
    const TRect whole(0, 0, kWindowWidth, kWindowHeight);
    std::printf("\n%d x %d target pixels\n", kWindowWidth, kWindowHeight);
    Figure("memcpy", windowMemcpy, windowMemcpy);
    double stretchAlpha = 0;
    double tileAlpha = 0;
    for (auto [w, h] : {std::pair{20, 23}, {66, 58}}) {
        auto skin = NewBitmap(w, h);
        FillMixed(*skin, static_cast<uint32_t>(w));
        skin->SetAlphaBlend(true);
        const double stretch = BestOf([&] { skin->DrawStretched(*window, whole, TRect(0, 0, w, h)); });
        const double tile = BestOf([&] { skin->DrawTiled(*window, whole, TRect(0, 0, w, h)); });
        char label[64];
        std::snprintf(label, sizeof label, "stretch %d x %d, mixed alpha", w, h);
        Figure(label, stretch, windowMemcpy);
        std::snprintf(label, sizeof label, "tile %d x %d, mixed alpha", w, h);
        Figure(label, tile, windowMemcpy);
        stretchAlpha = std::max(stretchAlpha, stretch);
        tileAlpha = std::max(tileAlpha, tile);
    }

    // Hue shift of about as many pixels as the skin's bitmaps hold.
    auto skinPixels = NewBitmap(510, 510);
    FillMixed(*skinPixels, 5);
    // Shifting makes the visible pixels opaque, but every run shifts the same pixels (alpha not 0).
    const double hue = BestOf([&] { skinPixels->ShiftHue(40); });
    std::printf("\nhue shift of 510 x 510 pixels: %.3f ms, %.1f ns per pixel\n", hue,
                hue * 1e6 / (510.0 * 510.0));

    // Stretch and tile ratios use the slower of the two source sizes.
    std::printf("\nratio draw_alpha_vs_memcpy %.3f\n", drawAlpha / screenMemcpy);
    std::printf("ratio draw_opaque_vs_memcpy %.3f\n", drawOpaque / screenMemcpy);
    std::printf("ratio stretch_alpha_vs_memcpy %.3f\n", stretchAlpha / windowMemcpy);
    std::printf("ratio tile_alpha_vs_memcpy %.3f\n", tileAlpha / windowMemcpy);
    return 0;
}

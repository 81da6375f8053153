#include "skinwin/KsEffects.h"

#include "skin/raster/KsPixelKernels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace {

bool IsTransparent(uint32_t pixel) { return (pixel & 0x00FFFFFFu) == (kTransparentPixel & 0x00FFFFFFu); }

// Nearest integer, halves to the even neighbour (the default rounding mode).
int RoundToEven(double value) { return static_cast<int>(std::nearbyint(value)); }

double Share(int elapsed, int total)
{
    if (total <= 0) return 1.0;
    return std::clamp(static_cast<double>(elapsed) / total, 0.0, 1.0);
}

// out := background; every pixel of the image that is not transparent and falls into visible
// (in out's coordinates) is copied to out, with the image placed at (dx, dy).
void ComposePlaced(TKsBitmap& out, const TKsBitmap& background, const TKsBitmap& image, int dx, int dy,
                   const TRect& visible)
{
    out.SetSize(background.Width(), background.Height());
    const int width = out.Width();
    for (int y = 0; y < out.Height(); ++y)
        std::memcpy(out.Row(y), background.Row(y), static_cast<size_t>(width) * sizeof(uint32_t));
    const TRect area = visible.Intersect(out.BoundsRect()).Intersect(image.BoundsRect().Offset(dx, dy));
    for (int y = area.Top; y < area.Bottom; ++y) {
        uint32_t* row = out.Row(y);
        const uint32_t* source = image.Row(y - dy);
        for (int x = area.Left; x < area.Right; ++x) {
            const uint32_t pixel = source[x - dx];
            if (!IsTransparent(pixel)) row[x] = pixel | 0xFF000000u;
        }
    }
}

std::mt19937& Random()
{
    static std::mt19937 generator{std::random_device{}()};
    return generator;
}

int RandomBelow(int count) { return std::uniform_int_distribution<int>(0, count - 1)(Random()); }

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Returns once milliseconds have passed since from.
void WaitUntil(const LARGE_INTEGER& from, int milliseconds, const LARGE_INTEGER& frequency)
{
    for (;;) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double left = milliseconds - Milliseconds(from, now, frequency);
        if (left <= 0) return;
        // Sleeping overshoots by up to a millisecond; the last one is waited out by yielding.
        Sleep(left >= 2 ? static_cast<DWORD>(left) - 1 : 0);
    }
}

} // namespace

void ComposeFadeFrame(TKsBitmap& out, const TKsBitmap& background, const TKsBitmap& image, int elapsed, int total)
{
    out.SetSize(background.Width(), background.Height());
    const uint32_t opacity = static_cast<uint32_t>(RoundToEven(Share(elapsed, total) * 240.0) + 15);
    for (int y = 0; y < out.Height(); ++y) {
        uint32_t* row = out.Row(y);
        const uint32_t* under = background.Row(y);
        const uint32_t* over = y < image.Height() ? image.Row(y) : nullptr;
        for (int x = 0; x < out.Width(); ++x) {
            const uint32_t pixel = over && x < image.Width() ? over[x] : kTransparentPixel;
            row[x] = IsTransparent(pixel) ? under[x] : BlendPixel((opacity << 24) | (pixel & 0x00FFFFFFu), under[x]);
        }
    }
}

void ComposeSlideFrame(TKsBitmap& out, const TKsBitmap& background, const TKsBitmap& image, TKsSlideDirection direction,
                       int elapsed, int total)
{
    const double remaining = 1.0 - Share(elapsed, total);
    const int dx = RoundToEven(image.Width() * remaining);
    const int dy = RoundToEven(image.Height() * remaining);
    int x = 0;
    int y = 0;
    switch (direction) {
    case sdFromRight:
        x = dx;
        break;
    case sdFromBottom:
        y = dy;
        break;
    case sdFromLeft:
        x = -dx;
        break;
    case sdFromTop:
        y = -dy;
        break;
    case sdFromTopLeft:
        x = -dx;
        y = -dy;
        break;
    case sdFromTopRight:
        x = dx;
        y = -dy;
        break;
    case sdFromBottomLeft:
        x = -dx;
        y = dy;
        break;
    case sdFromBottomRight:
        x = dx;
        y = dy;
        break;
    }
    ComposePlaced(out, background, image, x, y, background.BoundsRect());
}

void ComposeRectFrame(TKsBitmap& out, const TKsBitmap& background, const TKsBitmap& image, TKsRectOrigin origin,
                      int elapsed, int total)
{
    const int width = background.Width();
    const int height = background.Height();
    const double share = Share(elapsed, total);
    const int w = RoundToEven(width * share);
    const int h = RoundToEven(height * share);
    TRect visible;
    switch (origin) {
    case roCentre:
        visible = TRect::FromSize((width - w) / 2, (height - h) / 2, w, h);
        break;
    case roTopLeft:
        visible = TRect::FromSize(0, 0, w, h);
        break;
    case roTopRight:
        visible = TRect::FromSize(width - w, 0, w, h);
        break;
    case roBottomLeft:
        visible = TRect::FromSize(0, height - h, w, h);
        break;
    case roBottomRight:
        visible = TRect::FromSize(width - w, height - h, w, h);
        break;
    }
    ComposePlaced(out, background, image, 0, 0, visible);
}

TKsShowEffect TKsShowEffect::Choose(TKsAnimation animation)
{
    TKsShowEffect effect;
    effect.Kind = animation;
    while (effect.Kind == kaRandom || effect.Kind == kaNone)
        effect.Kind = static_cast<TKsAnimation>(1 + RandomBelow(4));
    effect.Direction = static_cast<TKsSlideDirection>(RandomBelow(8));
    effect.Origin = static_cast<TKsRectOrigin>(RandomBelow(5));
    return effect;
}

void TKsShowEffect::Compose(TKsBitmap& out, const TKsBitmap& background, const TKsBitmap& image, int elapsed,
                            int total) const
{
    switch (Kind) {
    case kaSlide:
        ComposeSlideFrame(out, background, image, Direction, elapsed, total);
        break;
    case kaRect:
        ComposeRectFrame(out, background, image, Origin, elapsed, total);
        break;
    default:
        ComposeFadeFrame(out, background, image, elapsed, total);
        break;
    }
}

void PlayShowEffect(const TKsShowEffect& effect, HDC dc, const TRect& rect, const TKsBitmap& background,
                    const TKsBitmap& image, int total)
{
    if (background.Empty() || image.Empty()) return;
    TKsBitmap work;
    LARGE_INTEGER frequency, begin, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    const int first = effect.StartTime();
    for (int elapsed = first; elapsed < total;) {
        QueryPerformanceCounter(&start);
        effect.Compose(work, background, image, elapsed, total);
        work.CopyToDC(dc, rect.Left, rect.Top);
        GdiFlush();
        QueryPerformanceCounter(&end);
        elapsed += static_cast<int>(Milliseconds(start, end, frequency)) + 1;
        // A step quicker than a millisecond still moves the time on by one: the next step waits for
        // the clock, so that the animation lasts its time however fast the steps are.
        WaitUntil(begin, elapsed - first, frequency);
    }
    effect.Compose(work, background, image, total, total);
    work.CopyToDC(dc, rect.Left, rect.Top);
}

#pragma once

#include "framework/Types.h"
#include "skin/raster/KsBitmap.h"

#include <windows.h>

#include <functional>

// How a window appears when it is shown. kaRandom picks one of the other three each time.
enum TKsAnimation { kaNone, kaRandom, kaFade, kaSlide, kaRect };

// The directions a slide enters from, and the corners or centre a rect grows from.
enum TKsSlideDirection {
    sdFromRight,
    sdFromBottom,
    sdFromLeft,
    sdFromTop,
    sdFromTopLeft,
    sdFromTopRight,
    sdFromBottomLeft,
    sdFromBottomRight
};
enum TKsRectOrigin { roCentre, roTopLeft, roTopRight, roBottomLeft, roBottomRight };

// One frame of an animation: the image (pixels outside the window are kTransparentPixel) over
// the background, both the size of the window, at elapsed milliseconds of total.
//
// Fade: the image at opacity round(elapsed / total * 240) + 15; transparent pixels stay background.
void ComposeFadeFrame(TKsBitmap& out, const TKsBitmap& background, const TKsBitmap& image, int elapsed, int total);
// Slide: the image moved towards the side it enters from by the share of its size still to go.
void ComposeSlideFrame(TKsBitmap& out, const TKsBitmap& background, const TKsBitmap& image, TKsSlideDirection direction,
                       int elapsed, int total);
// Rect: the part of the image (in place) whose size is the elapsed share of the window's, grown
// from the centre or a corner.
void ComposeRectFrame(TKsBitmap& out, const TKsBitmap& background, const TKsBitmap& image, TKsRectOrigin origin,
                      int elapsed, int total);

// One show animation, with its random choices made: kind is kaFade, kaSlide or kaRect.
struct TKsShowEffect {
    TKsAnimation Kind = kaFade;
    TKsSlideDirection Direction = sdFromRight;
    TKsRectOrigin Origin = roCentre;

    // kaRandom becomes one of the three kinds; a slide or rect gets its direction or origin.
    static TKsShowEffect Choose(TKsAnimation animation);
    // The first elapsed time drawn: rect starts a little way in.
    int StartTime() const { return Kind == kaRect ? 5 : 0; }
    void Compose(TKsBitmap& out, const TKsBitmap& background, const TKsBitmap& image, int elapsed, int total) const;
};

// Plays the effect on dc over rect (the window's place on the screen) for total milliseconds:
// each step is composed and copied to dc, and time moves on by what the step took plus one
// millisecond; the next step waits until the clock has caught up with it. The last frame drawn
// is the complete image.
void PlayShowEffect(const TKsShowEffect& effect, HDC dc, const TRect& rect, const TKsBitmap& background,
                    const TKsBitmap& image, int total);

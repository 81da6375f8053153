#pragma once

#include "framework/Types.h"

// The parts of a scroll bar for one set of values: two arrow buttons at the ends, the track between
// them and the thumb on the track, whose length shows the page and whose place shows the position.
// Coordinates are the bar's own, (0, 0) at its top left.
struct TKsScrollBarGeometry {
    bool Vertical = false;
    int Width = 0;
    int Height = 0;
    int BorderWidth = 0;
    bool ShowButtons = true;
    // The platform's scroll-thumb size: the full arrow length and the thumb length without a page.
    int ThumbMetric = 16;
    // The arrow length the bar's look asks for before the bar is too short for two of them.
    int ArrowMetric = 16;
    int Min = 0;
    int Max = 100;
    int PageSize = 0;
    int Position = 0;

    // The bar's length and thickness without the border.
    int InnerLength() const;
    int ArrowLength() const;
    TRect Arrow1Rect() const;
    TRect Arrow2Rect() const;
    TRect TrackRect() const;
    int TrackStart() const;
    int TrackEnd() const;
    int TrackLength() const { return TrackEnd() - TrackStart(); }
    // 0 when the thumb would fill the whole track (there is no thumb then).
    int ThumbLength() const;
    // The positions the thumb can take: one step per position that still shows a whole page.
    int Range() const;
    // The thumb's leading edge along the bar for Position.
    int ThumbEdge() const;
    // The position a thumb whose leading edge is at edge stands for.
    int PositionForEdge(int edge) const;
    TRect ThumbRect() const;
    TRect PageBeforeRect() const;
    TRect PageAfterRect() const;

private:
    // A rectangle from start to end along the bar, across the track's width.
    TRect AlongTrack(int start, int end) const;
};

// numerator / denominator rounded to the nearest integer, a half to the even neighbour.
int RoundDivide(long long numerator, long long denominator);

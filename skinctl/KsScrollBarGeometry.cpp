#include "skinctl/KsScrollBarGeometry.h"

#include <algorithm>

int RoundDivide(long long numerator, long long denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) {
        quotient -= 1;
        remainder += denominator;
    }
    long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && (quotient & 1))) quotient += 1;
    return static_cast<int>(quotient);
}

int TKsScrollBarGeometry::InnerLength() const
{
    return (Vertical ? Height : Width) - 2 * BorderWidth;
}

int TKsScrollBarGeometry::ArrowLength() const
{
    int inner = InnerLength();
    return inner < 2 * ArrowMetric ? inner / 2 : ArrowMetric;
}

TRect TKsScrollBarGeometry::Arrow1Rect() const
{
    int b = BorderWidth;
    int l = ArrowLength();
    return Vertical ? TRect(b, b, Width - b, b + l) : TRect(b, b, b + l, Height - b);
}

TRect TKsScrollBarGeometry::Arrow2Rect() const
{
    int b = BorderWidth;
    int l = ArrowLength();
    return Vertical ? TRect(b, Height - b - l, Width - b, Height - b) : TRect(Width - b - l, b, Width - b, Height - b);
}

TRect TKsScrollBarGeometry::TrackRect() const
{
    int b = BorderWidth;
    TRect track(b, b, Width - b, Height - b);
    if (!ShowButtons) return track;
    int l = ArrowLength();
    if (Vertical) {
        track.Top += l;
        track.Bottom -= l;
    } else {
        track.Left += l;
        track.Right -= l;
    }
    return track;
}

int TKsScrollBarGeometry::TrackStart() const
{
    TRect track = TrackRect();
    return Vertical ? track.Top : track.Left;
}

int TKsScrollBarGeometry::TrackEnd() const
{
    TRect track = TrackRect();
    return Vertical ? track.Bottom : track.Right;
}

int TKsScrollBarGeometry::ThumbLength() const
{
    int track = TrackLength();
    int length = ThumbMetric;
    if (PageSize > 0) {
        length = RoundDivide(static_cast<long long>(track) * PageSize, static_cast<long long>(Max) - Min + 1);
        length = std::max(length, ThumbMetric / 3 * 2);
    }
    return length < track ? length : 0;
}

int TKsScrollBarGeometry::Range() const
{
    long long range = static_cast<long long>(Max) - Min - PageSize + (PageSize != 0 ? 1 : 0);
    return static_cast<int>(std::clamp<long long>(range, -1, 0x7FFFFFFF));
}

int TKsScrollBarGeometry::ThumbEdge() const
{
    int start = TrackStart();
    int thumb = ThumbLength();
    int range = Range();
    if (static_cast<long long>(Max) - Min - PageSize < 0 || range < 1) return start;
    if (Position > static_cast<long long>(Max) - PageSize + 1) return TrackEnd() - thumb;
    return start + RoundDivide((static_cast<long long>(Position) - Min) * (TrackLength() - thumb), range);
}

int TKsScrollBarGeometry::PositionForEdge(int edge) const
{
    int travel = TrackLength() - ThumbLength();
    int range = Range();
    long long position = 0;
    if (travel != 0 && range >= 1)
        position = static_cast<long long>(RoundDivide(static_cast<long long>(range) * (edge - TrackStart()), travel)) + Min;
    position = std::max<long long>(position, Min);
    position = std::min<long long>(position, static_cast<long long>(Max) - PageSize + 1);
    return static_cast<int>(position);
}

TRect TKsScrollBarGeometry::AlongTrack(int start, int end) const
{
    TRect track = TrackRect();
    return Vertical ? TRect(track.Left, start, track.Right, end) : TRect(start, track.Top, end, track.Bottom);
}

TRect TKsScrollBarGeometry::ThumbRect() const
{
    int edge = ThumbEdge();
    return AlongTrack(edge, edge + ThumbLength());
}

TRect TKsScrollBarGeometry::PageBeforeRect() const
{
    return AlongTrack(TrackStart(), ThumbEdge());
}

TRect TKsScrollBarGeometry::PageAfterRect() const
{
    return AlongTrack(ThumbEdge() + ThumbLength(), TrackEnd());
}

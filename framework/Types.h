#pragma once

#include <windows.h>

#include <algorithm>

// Horizontal alignment of a text in a list view column or an edit box; named apart from the skin
// objects' text alignment (taCenter).
enum TAlignment { taLeftJustify, taRightJustify, taCenterJustify };

// Integer point and rectangle in the coordinates of the platform (right and bottom exclusive).
struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int left, int top, int right, int bottom) : Left(left), Top(top), Right(right), Bottom(bottom) {}
    explicit constexpr TRect(const RECT& r) : Left(r.left), Top(r.top), Right(r.right), Bottom(r.bottom) {}

    static constexpr TRect FromSize(int left, int top, int width, int height)
    {
        return {left, top, left + width, top + height};
    }

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Width() < 1 || Height() < 1; }
    constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    RECT ToRECT() const { return RECT{Left, Top, Right, Bottom}; }

    constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    constexpr TRect Inflate(int n) const { return {Left - n, Top - n, Right + n, Bottom + n}; }
    constexpr TRect Intersect(const TRect& o) const
    {
        return {std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
    }

    friend bool operator==(const TRect&, const TRect&) = default;
};

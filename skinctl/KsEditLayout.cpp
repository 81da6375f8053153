#include "skinctl/KsEditLayout.h"

#include "skinctl/KsEditChars.h"

#include <utility>

TKsEditLayout::TKsEditLayout(std::wstring_view text, TWidthFunction width, int left, int right, TAlignment alignment,
                             int cellWidth)
    : text_(text), width_(std::move(width)), left_(left), right_(right), alignment_(alignment), cellWidth_(cellWidth)
{
}

int TKsEditLayout::CharWidth(int pos) const
{
    if (cellWidth_ > 0) return cellWidth_;
    return width_(text_.substr(pos, NextCharPos(text_, pos) - pos));
}

int TKsEditLayout::AlignmentOffset() const
{
    if (alignment_ == taLeftJustify) return 0;
    int available = right_ - left_;
    int total = 0;
    for (int pos = 0; pos < Length(); pos = NextCharPos(text_, pos)) {
        total += CharWidth(pos);
        if (total >= available) return 0;
    }
    return alignment_ == taRightJustify ? available - total : (available - total) / 2;
}

int TKsEditLayout::CaretX(int pos, int firstVisible) const
{
    int x = left_ + AlignmentOffset();
    if (pos >= firstVisible) {
        for (int p = firstVisible; p < pos && x <= right_; p = NextCharPos(text_, p)) x += CharWidth(p);
    } else {
        for (int p = firstVisible; p > pos && x >= left_; p = PrevCharPos(text_, p))
            x -= CharWidth(PrevCharPos(text_, p));
    }
    return x;
}

int TKsEditLayout::HitTest(int x, int firstVisible) const
{
    if (text_.empty()) return firstVisible;
    x -= AlignmentOffset();
    if (cellWidth_ > 0) {
        int steps = (x - left_) / cellWidth_;
        int pos = firstVisible;
        for (; steps > 0 && pos < Length(); --steps) pos = NextCharPos(text_, pos);
        for (; steps < 0 && pos > 0; ++steps) pos = PrevCharPos(text_, pos);
        return pos;
    }
    int pos = firstVisible;
    int edge = left_;
    while (pos < Length()) {
        int width = CharWidth(pos);
        int middle = edge + width / 2;
        if (x <= middle || middle >= right_) return pos;
        edge += width;
        pos = NextCharPos(text_, pos);
    }
    return pos;
}

int TKsEditLayout::ScrollIntoView(int caret, int firstVisible) const
{
    if (firstVisible >= caret) return PrevCharPos(text_, caret);
    int available = right_ - left_;
    int start = caret;
    int width = 0;
    while (start > firstVisible) {
        int previous = PrevCharPos(text_, start);
        width += CharWidth(previous);
        if (width > available) break;
        start = previous;
    }
    // The view never starts after the last character.
    int lastStart = PrevCharPos(text_, Length());
    return start > lastStart ? std::max(firstVisible, lastStart) : start;
}

int TKsEditLayout::VisibleEnd(int firstVisible) const
{
    int x = left_ + AlignmentOffset();
    int pos = firstVisible;
    while (pos < Length() && x < right_) {
        x += CharWidth(pos);
        pos = NextCharPos(text_, pos);
    }
    return pos;
}

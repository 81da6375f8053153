#pragma once

#include "framework/Types.h"

#include <functional>
#include <string_view>

// Where the characters of a single line lie in the edit's text rectangle, scrolled so that the
// character at the first visible position starts at the left edge. Every answer walks only over the
// characters it needs (those in view, or those between two positions), adding their widths, so
// the cost never grows with the length of the text.
class TKsEditLayout {
public:
    // The width of one character (one or two UTF-16 units).
    using TWidthFunction = std::function<int(std::wstring_view character)>;

    // cellWidth > 0 lays out every character as one cell of that width (the password kinds).
    TKsEditLayout(std::wstring_view text, TWidthFunction width, int left, int right, TAlignment alignment,
                  int cellWidth);

    // The x of the caret at pos. Positions outside the view give a point just outside the text
    // rectangle, which is all that drawing needs to know of them.
    int CaretX(int pos, int firstVisible) const;
    // The caret position a click at x asks for: the character boundary nearest to x (with cells: the
    // boundary at or left of x), never beyond the text rectangle's right edge.
    int HitTest(int x, int firstVisible) const;
    // The first visible position that shows the caret: the character before the caret when the
    // caret lies at or left of the view, otherwise the smallest start from which the characters up
    // to the caret fit.
    int ScrollIntoView(int caret, int firstVisible) const;
    // The position after the last character that starts left of the right edge.
    int VisibleEnd(int firstVisible) const;
    // The shift of a text narrower than the rectangle for right or centred alignment; 0 otherwise.
    int AlignmentOffset() const;
    int CharWidth(int pos) const;

private:
    int Length() const { return static_cast<int>(text_.size()); }

    std::wstring_view text_;
    TWidthFunction width_;
    int left_;
    int right_;
    TAlignment alignment_;
    int cellWidth_;
};

#pragma once

#include "framework/Graphics.h"
#include "framework/Handles.h"

#include <array>
#include <string_view>
#include <unordered_map>

// Widths of single characters in one font, each measured once on a memory drawing context and kept
// until the font changes. The edit lays its text out and draws it with these widths, so that the
// caret always lies exactly between two drawn characters.
class TKsEditMeasure {
public:
    TKsEditMeasure();

    const TFont& Font() const { return font_; }
    // Forgets the widths when the font differs from the one measured so far.
    void SetFont(const TFont& font);

    int CharWidth(std::wstring_view character);
    // The height of one line of text: the extent of "Pq".
    int LineHeight();
    // The extent of a whole text, as drawn in one piece.
    SIZE TextExtent(std::wstring_view text);

private:
    TMemoryDC dc_;
    TFont font_;
    std::array<int, 128> ascii_;
    std::unordered_map<unsigned, int> others_;
    int lineHeight_;
};

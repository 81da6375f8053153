#pragma once

#include "framework/Controls.h"
#include "framework/Graphics.h"

#include <windows.h>

#include <string>

// The size text takes in a font as captions are drawn: the width of its single line (a "&" shows
// as an underline, not as a character) and the height of its characters. The last text and font
// asked about are remembered, since a control measures the same caption on every render.
class TKsTextExtent {
public:
    SIZE Measure(HDC dc, const TFont& font, const std::wstring& text);

private:
    TFont font_;
    std::wstring text_;
    SIZE size_{};
    bool known_ = false;
};

// DrawText flags for the control's reading order.
UINT TextDirectionFlags(const TControl& control);

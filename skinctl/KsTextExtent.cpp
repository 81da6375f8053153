#include "skinctl/KsTextExtent.h"

SIZE TKsTextExtent::Measure(HDC dc, const TFont& font, const std::wstring& text)
{
    if (known_ && text == text_ && font.SameAs(font_)) return size_;
    TSelectObject select(dc, font.Handle());
    RECT line{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line, DT_SINGLELINE | DT_CALCRECT);
    SIZE characters{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &characters);
    font_ = font;
    text_ = text;
    size_ = {line.right - line.left, characters.cy};
    known_ = true;
    return size_;
}

UINT TextDirectionFlags(const TControl& control)
{
    return control.BiDiMode() == bdLeftToRight ? 0u : static_cast<UINT>(DT_RTLREADING);
}

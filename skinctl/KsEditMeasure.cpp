#include "skinctl/KsEditMeasure.h"

namespace {

constexpr int kUnmeasured = -1;

} // namespace

TKsEditMeasure::TKsEditMeasure() : dc_(CreateCompatibleDC(nullptr)), lineHeight_(kUnmeasured)
{
    ascii_.fill(kUnmeasured);
}

void TKsEditMeasure::SetFont(const TFont& font)
{
    if (font_.SameAs(font)) return;
    font_ = font;
    ascii_.fill(kUnmeasured);
    others_.clear();
    lineHeight_ = kUnmeasured;
}

int TKsEditMeasure::LineHeight()
{
    if (lineHeight_ == kUnmeasured) lineHeight_ = TextExtent(L"Pq").cy;
    return lineHeight_;
}

SIZE TKsEditMeasure::TextExtent(std::wstring_view text)
{
    // The font is selected only while measuring: the font object may replace its handle at any time.
    TSelectObject selected(dc_.Get(), font_.Handle());
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc_.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

int TKsEditMeasure::CharWidth(std::wstring_view character)
{
    if (character.empty()) return 0;
    if (character.size() == 1 && character[0] < ascii_.size()) {
        int& width = ascii_[character[0]];
        if (width == kUnmeasured) width = TextExtent(character).cx;
        return width;
    }
    unsigned key =
        character.size() == 2 ? 0x10000u + ((character[0] - 0xD800u) << 10) + (character[1] - 0xDC00u) : character[0];
    auto found = others_.find(key);
    if (found != others_.end()) return found->second;
    int width = TextExtent(character).cx;
    others_.emplace(key, width);
    return width;
}

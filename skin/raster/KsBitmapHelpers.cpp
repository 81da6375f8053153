// Free helpers of the raster: colour conversion, rectangle placement and shortened text.
#include "skin/raster/KsBitmap.h"

#include <algorithm>

uint32_t ColorToPixel(TColor color, uint8_t alpha)
{
    const COLORREF rgb = ColorToRGB(color);
    return (uint32_t{alpha} << 24) | (uint32_t{GetRValue(rgb)} << 16) | (uint32_t{GetGValue(rgb)} << 8) |
           GetBValue(rgb);
}

TColor PixelToColor(uint32_t pixel)
{
    return static_cast<TColor>(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
}

uint32_t MakePixel(int r, int g, int b, uint8_t alpha)
{
    auto clamp = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return (uint32_t{alpha} << 24) | (clamp(r) << 16) | (clamp(g) << 8) | clamp(b);
}

TRect RectAtLeftCentered(const TRect& rect, const TRect& within)
{
    return TRect::FromSize(within.Left, within.Top + (within.Height() - rect.Height()) / 2, rect.Width(),
                           rect.Height());
}

TRect RectCentered(const TRect& rect, const TRect& within)
{
    return TRect::FromSize(within.Left + (within.Width() - rect.Width()) / 2,
                           within.Top + (within.Height() - rect.Height()) / 2, rect.Width(), rect.Height());
}

std::wstring ShortenText(HDC dc, const std::wstring& text, int maxWidth)
{
    auto width = [dc](const std::wstring& s) {
        SIZE size{};
        GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size);
        return size.cx;
    };
    if (width(text) <= maxWidth) return text;
    const std::wstring ellipsis = L"...";
    for (size_t length = text.size(); length > 0; --length) {
        std::wstring candidate = text.substr(0, length - 1) + ellipsis;
        if (width(candidate) <= maxWidth) return candidate;
    }
    return ellipsis;
}

// Free helpers of the skin library: colour conversion, rectangle placement, shortened text, nested
// mouse capture, keyboard timing, plain-look frames, the themes query and parent backgrounds.
#include "skin/KsBitmap.h"

#include <algorithm>
#include <cmath>

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

namespace {

int captureCount = 0;
HWND captureWindow = nullptr;

} // namespace

void CaptureMouse(HWND window)
{
    if (captureCount++ == 0) {
        captureWindow = window;
        SetCapture(window);
    }
}

void ReleaseMouse()
{
    if (captureCount == 0) return;
    if (--captureCount == 0) {
        if (GetCapture() == captureWindow) ReleaseCapture();
        captureWindow = nullptr;
    }
}

int KeyboardRepeatDelay()
{
    int delay = 0;
    SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    return 200 * (delay + 1);
}

int KeyboardRepeatInterval()
{
    DWORD speed = 0;
    SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    return static_cast<int>(std::nearbyint(1000.0 / ((speed + 1) * 2.3)));
}

void DrawRaisedFrame(TKsBitmap& bitmap, const TRect& rect)
{
    bitmap.FillRect(rect, ColorToPixel(clBtnFace));
    bitmap.FrameRect(rect, ColorToPixel(cl3DLight), ColorToPixel(cl3DDkShadow));
    bitmap.FrameRect(rect.Inflate(-1), ColorToPixel(clBtnHighlight), ColorToPixel(clBtnShadow));
}

void DrawFlatFrame(TKsBitmap& bitmap, const TRect& rect)
{
    bitmap.FillRect(rect, ColorToPixel(clBtnFace));
    bitmap.FrameRect(rect, ColorToPixel(clBtnShadow));
}

bool ThemesActive()
{
    using TIsAppThemed = BOOL(WINAPI*)();
    // The visual-style library stays loaded for the life of the process once it was found.
    static const TIsAppThemed isAppThemed = []() -> TIsAppThemed {
        HMODULE library = LoadLibraryW(L"uxtheme.dll");
        return library ? reinterpret_cast<TIsAppThemed>(GetProcAddress(library, "IsAppThemed")) : nullptr;
    }();
    return isAppThemed && isAppThemed();
}

void PaintParentBackground(HWND parent, TPoint position, HDC dc)
{
    TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, -position.X, -position.Y, nullptr);
    // 12 marks the erase request as coming from a child control painting itself.
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 12);
}

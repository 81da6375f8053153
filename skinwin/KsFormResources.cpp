#include "skinwin/KsFormResources.h"

#include "framework/Exceptions.h"

#include <array>
#include <map>
#include <memory>

namespace {

constexpr int kPaintBufferMargin = 500;
constexpr int kSystemMenuImageSize = 16;
constexpr TColor kSystemMenuMask = 0xFF00FF;

// One font per DPI in use, made when first asked for.
HFONT CaptionFontAt(bool small, int dpi)
{
    static std::map<std::pair<bool, int>, TFontHandle> fonts;
    TFontHandle& font = fonts[{small, dpi}];
    if (!font) {
        const NONCLIENTMETRICSW metrics = NonClientMetricsForDpi(dpi);
        font.Reset(CreateFontIndirectW(small ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont));
    }
    return font.Get();
}

std::unique_ptr<TCustomImageList> LoadSystemMenuImages()
{
    static const std::array<const wchar_t*, 6> names = {L"KSE_CLOSE",   L"KSE_MINIMIZE", L"KSE_MAXIMIZE",
                                                        L"KSE_RESTORE", L"KSE_ROLLUP",   L"KSE_TRAY"};
    auto list = std::make_unique<TCustomImageList>(nullptr, kSystemMenuImageSize, kSystemMenuImageSize);
    for (const wchar_t* name : names) {
        TBitmapHandle bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, 0)));
        if (!bitmap) throw EOutOfResources(FormatMessageText(L"Resource %s not found", {name}));
        list->AddMasked(bitmap.Get(), kSystemMenuMask);
    }
    return list;
}

} // namespace

TKsBitmap& SharedPaintBuffer()
{
    static TKsBitmap buffer;
    if (buffer.Empty())
        buffer.SetSize(GetSystemMetrics(SM_CXSCREEN) + kPaintBufferMargin,
                       GetSystemMetrics(SM_CYSCREEN) + kPaintBufferMargin);
    return buffer;
}

HFONT CaptionFont(int dpi) { return CaptionFontAt(false, dpi); }
HFONT SmallCaptionFont(int dpi) { return CaptionFontAt(true, dpi); }

TCustomImageList& SystemMenuImages()
{
    static std::unique_ptr<TCustomImageList> images;
    if (!images) images = LoadSystemMenuImages();
    return *images;
}

#pragma once

#include "framework/Dpi.h"
#include "framework/ImgList.h"
#include "skin/raster/KsBitmap.h"
#include "skinwin/KsItems.h"

#include <functional>

// Pieces of item painting shared by the plain and the skinned look.

// Gives a bitmap a font for a scope and puts its own back afterwards.
class TKsBitmapFontScope {
public:
    TKsBitmapFontScope(TKsBitmap& bitmap, const TFont& font);
    ~TKsBitmapFontScope();
    TKsBitmapFontScope(const TKsBitmapFontScope&) = delete;
    TKsBitmapFontScope& operator=(const TKsBitmapFontScope&) = delete;

private:
    TKsBitmap& bitmap_;
    TFont saved_;
};

// The DPI the view's items are laid out at: its control's.
int ViewDpi(const TKsItemView& view);
// Runs paint on a transparent bitmap of box's size in design units and draws the result scaled
// into box: small shapes drawn pixel by pixel keep their look at any DPI. At 96 DPI paint draws
// straight into buffer.
void PaintAtDesignSize(TKsBitmap& buffer, const TRect& box, int dpi,
                       const std::function<void(TKsBitmap& target, const TRect& box)>& paint);

// The width of a caption in font, the "&" of its accelerator left out. The font's own platform
// font is used, so measuring makes none.
int CaptionWidth(const TKsBitmap& buffer, const TFont& font, const std::wstring& text);
// The system's menu font as it is at dpi, which the plain look draws with.
const TFont& MenuFont(int dpi);
// The height of a plain item: the system's menu height at dpi, at least 20 design pixels.
int PlainItemHeight(int dpi);

// The check mark of a checked item, centred in the 22-pixel box at the item's left.
void DrawCheckMark(TKsBitmap& buffer, const TRect& box, uint32_t pixel);
// The platform's sub-menu arrow at dpi in colour, centred in the 32-pixel box at the right end of rect.
void DrawSubmenuArrow(TKsBitmap& buffer, const TRect& rect, TColor color, int dpi);
// The triangles that show more items above the first and below the last item of a scrolling window.
void DrawScrollMarks(TKsBitmap& buffer, const TKsItemView& view, const TKsCustomItem& item, const TRect& rect,
                     uint32_t pixel);
// The item's image centred in box, drawn disabled for a disabled item.
// Its design size is scaled for dpi.
void DrawItemImage(TKsBitmap& buffer, const TCustomImageList& images, int index, bool enabled, const TRect& box,
                   int dpi);
// The plain close, restore or minimize button of a multiple-document child on the menu bar.
void DrawPlainWindowButton(TKsBitmap& buffer, TKsItemKind kind, const TRect& rect, bool pushed);
// The icon of the item's maximized child (its form's, else the application's, else the system's
// application icon) at the small-icon size of dpi, centred in rect.
void DrawWindowIcon(TKsBitmap& buffer, const TKsCustomItem& item, const TRect& rect, int dpi);
// A bar item in the plain look: the menu colour, a sunken (mouse) or raised (keyboard) frame when
// selected, the caption centred.
void PaintPlainBarItem(TKsCustomItem& item, TKsBitmap& buffer, bool mouseDriven, bool selected, const TRect& rect,
                       int dpi);

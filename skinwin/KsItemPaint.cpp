// Measuring and painting items in the plain look of the system's menu colours and font.
#include "skinwin/KsItemPaint.h"

#include "framework/SystemSettings.h"
#include "skin/raster/KsBitmapResample.h"
#include "skinwin/KsForms.h"

#include <algorithm>
#include <map>

namespace {

constexpr int kCheckBoxWidth = 22;
constexpr int kCaptionLeft = 26;
constexpr int kRightBoxWidth = 32;

TFont FontWithColor(const TFont& font, TColor color)
{
    TFont colored = font;
    colored.SetColor(color);
    return colored;
}

void DrawTextIn(TKsBitmap& buffer, const TFont& font, TColor color, const std::wstring& text, const TRect& rect,
                UINT format)
{
    TKsBitmapFontScope scope(buffer, FontWithColor(font, color));
    buffer.DrawText(text, rect, format);
}

void PaintPopupItem(TKsCustomItem& item, TKsBitmap& buffer, const TKsItemView& view, bool selected, const TRect& rect)
{
    const int dpi = ViewDpi(view);
    auto s = [dpi](int n) { return ScaleByDpi(n, dpi); };
    if (item.IsSeparator()) {
        buffer.FillRect(rect, ColorToPixel(clMenu));
        int middle = rect.Top + rect.Height() / 2 - s(1);
        buffer.FillRect({rect.Left + s(2), middle, rect.Right - s(2), middle + s(1)}, ColorToPixel(clBtnShadow));
        buffer.FillRect({rect.Left + s(2), middle + s(1), rect.Right - s(2), middle + s(2)},
                        ColorToPixel(clBtnHighlight));
        return;
    }
    buffer.FillRect(rect, ColorToPixel(selected ? clHighlight : clMenu));
    TColor textColor = selected ? clHighlightText : clMenuText;

    TCustomImageList* images = item.Images();
    bool hasImage = images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
    if (item.Checked() || hasImage) {
        TRect box{rect.Left, rect.Top, rect.Left + s(kCheckBoxWidth), rect.Bottom};
        buffer.FillRect(box, ColorToPixel(clBtnFace));
        if (item.Checked())
            buffer.FrameRect(box, ColorToPixel(clBtnShadow), ColorToPixel(clBtnHighlight));
        else if (selected)
            buffer.FrameRect(box, ColorToPixel(clBtnHighlight), ColorToPixel(clBtnShadow));
        if (hasImage)
            DrawItemImage(buffer, *images, item.ImageIndex(), item.Enabled(), box, dpi);
        else
            PaintAtDesignSize(buffer, box, dpi, [](TKsBitmap& target, const TRect& at) {
                DrawCheckMark(target, at, ColorToPixel(ContrastColor(clBlack, clBtnText)));
            });
    }

    TRect captionRect{rect.Left + s(kCaptionLeft), rect.Top, rect.Right, rect.Bottom};
    TRect shortCutRect{rect.Left, rect.Top, rect.Right - s(kRightBoxWidth), rect.Bottom};
    std::wstring shortCut = ShortCutToText(item.ShortCut());
    const UINT captionFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    const UINT shortCutFormat = DT_SINGLELINE | DT_VCENTER | DT_RIGHT;
    if (item.Enabled()) {
        DrawTextIn(buffer, MenuFont(dpi), textColor, item.Caption(), captionRect, captionFormat);
        DrawTextIn(buffer, MenuFont(dpi), textColor, shortCut, shortCutRect, shortCutFormat);
    } else {
        for (auto [color, offset] : {std::pair{clBtnHighlight, s(1)}, std::pair{clBtnShadow, 0}}) {
            DrawTextIn(buffer, MenuFont(dpi), color, item.Caption(), captionRect.Offset(offset, offset), captionFormat);
            DrawTextIn(buffer, MenuFont(dpi), color, shortCut, shortCutRect.Offset(offset, offset), shortCutFormat);
        }
    }
    if (item.Count() > 0) DrawSubmenuArrow(buffer, rect, textColor, dpi);
    DrawScrollMarks(buffer, view, item, rect, ColorToPixel(textColor));
}

} // namespace

int ViewDpi(const TKsItemView& view) { return view.Control() ? view.Control()->Dpi() : kDesignDpi; }

void PaintAtDesignSize(TKsBitmap& buffer, const TRect& box, int dpi,
                       const std::function<void(TKsBitmap& target, const TRect& box)>& paint)
{
    if (dpi == kDesignDpi) {
        paint(buffer, box);
        return;
    }
    if (box.IsEmpty()) return;
    const TRect design{0, 0, std::max(UnscaleByDpi(box.Width(), dpi), 1), std::max(UnscaleByDpi(box.Height(), dpi), 1)};
    TKsBitmap shape;
    shape.SetSize(design.Width(), design.Height());
    shape.Fill(kTransparentPixel);
    paint(shape, design);
    GdiFlush();
    // The platform's drawing leaves alpha as it found it: every pixel it changed counts as opaque.
    uint32_t* pixels = shape.Bits();
    for (int i = 0; i < shape.Width() * shape.Height(); ++i)
        if ((pixels[i] & 0x00FFFFFFu) != kTransparentPixel) pixels[i] |= 0xFF000000u;
    TKsBitmap scaled;
    scaled.SetSize(box.Width(), box.Height());
    ResampleRect(shape, design, scaled, scaled.BoundsRect(), false);
    scaled.SetAlphaBlend(true);
    scaled.Draw(buffer, box.Left, box.Top);
}

void PaintPlainBarItem(TKsCustomItem& item, TKsBitmap& buffer, bool mouseDriven, bool selected, const TRect& rect,
                       int dpi)
{
    buffer.FillRect(rect, ColorToPixel(clMenu));
    if (item.Kind() == ikWindowIcon) {
        DrawWindowIcon(buffer, item, rect, dpi);
        return;
    }
    if (item.Kind() != ikNormal) {
        DrawPlainWindowButton(buffer, item.Kind(), rect, selected && mouseDriven);
        return;
    }
    if (selected) {
        if (mouseDriven)
            buffer.FrameRect(rect, ColorToPixel(clBtnShadow), ColorToPixel(clBtnHighlight));
        else
            buffer.FrameRect(rect, ColorToPixel(clBtnHighlight), ColorToPixel(clBtnShadow));
    }
    DrawTextIn(buffer, MenuFont(dpi), item.Enabled() ? clMenuText : clGrayText, item.Caption(), rect,
               DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

TKsBitmapFontScope::TKsBitmapFontScope(TKsBitmap& bitmap, const TFont& font) : bitmap_(bitmap), saved_(bitmap.Font())
{
    bitmap_.SetFont(font);
}

TKsBitmapFontScope::~TKsBitmapFontScope() { bitmap_.SetFont(saved_); }

int CaptionWidth(const TKsBitmap& buffer, const TFont& font, const std::wstring& text)
{
    if (buffer.Empty() || text.empty()) return 0;
    TSelectObject selected(buffer.DC(), font.Handle());
    RECT extent{0, 0, 0, 0};
    DrawTextW(buffer.DC(), text.c_str(), static_cast<int>(text.size()), &extent, DT_SINGLELINE | DT_CALCRECT);
    return extent.right - extent.left;
}

const TFont& MenuFont(int dpi)
{
    static std::map<int, TFont> fonts;
    if (auto found = fonts.find(dpi); found != fonts.end()) return found->second;
    const NONCLIENTMETRICSW metrics = NonClientMetricsForDpi(dpi);
    const LOGFONTW& menu = metrics.lfMenuFont;
    TFont result;
    if (menu.lfFaceName[0]) result.SetName(menu.lfFaceName);
    if (menu.lfHeight) result.SetHeight(menu.lfHeight);
    result.SetCharset(menu.lfCharSet);
    TFontStyles style;
    if (menu.lfWeight >= FW_BOLD) style.Include(fsBold);
    if (menu.lfItalic) style.Include(fsItalic);
    result.SetStyle(style);
    return fonts.emplace(dpi, result).first->second;
}

int PlainItemHeight(int dpi) { return std::max(SystemMetricForDpi(SM_CYMENU, dpi), ScaleByDpi(20, dpi)); }

void DrawCheckMark(TKsBitmap& buffer, const TRect& box, uint32_t pixel)
{
    const int x = (box.Left + box.Right) / 2 - 2;
    const int y = (box.Top + box.Bottom) / 2 + 1;
    const TPoint first[] = {{-2, -2}, {0, 0}, {4, -4}, {4, -3}, {0, 1}, {-2, -1}, {-2, -2}};
    const TPoint second[] = {{-3, -2}, {-3, -1}, {0, 2}, {5, -3}, {5, -5}};
    auto polyline = [&](std::span<const TPoint> points) {
        buffer.MoveTo(x + points[0].X, y + points[0].Y);
        for (const TPoint& p : points.subspan(1)) buffer.LineTo(x + p.X, y + p.Y, pixel);
    };
    polyline(first);
    polyline(second);
}

void DrawSubmenuArrow(TKsBitmap& buffer, const TRect& rect, TColor color, int dpi)
{
    // The platform draws its arrow black on white; its black pixels take the colour.
    int width = SystemMetricForDpi(SM_CXMENUCHECK, dpi), height = SystemMetricForDpi(SM_CYMENUCHECK, dpi);
    TKsBitmap shape;
    shape.SetSize(width, height);
    shape.Fill(0xFFFFFFFF);
    RECT area{0, 0, width, height};
    DrawFrameControl(shape.DC(), &area, DFC_MENU, DFCS_MENUARROW);
    GdiFlush();
    TRect box{rect.Right - ScaleByDpi(kRightBoxWidth, dpi), rect.Top, rect.Right, rect.Bottom};
    TRect placed = RectCentered({0, 0, width, height}, box);
    uint32_t pixel = ColorToPixel(color);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((shape.Pixel(x, y) & 0x00FFFFFF) == 0) buffer.SetPixel(placed.Left + x, placed.Top + y, pixel);
}

void DrawScrollMarks(TKsBitmap& buffer, const TKsItemView& view, const TKsCustomItem& item, const TRect& rect,
                     uint32_t pixel)
{
    const TKsCustomItem* shown = view.Item();
    if (!shown || !shown->Scrolled() || shown->ScrollCount() <= 0) return;
    int index = shown->IndexOf(&item);
    const bool first = index == view.WindowFirst(), last = index == view.WindowEnd() - 1;
    if (!first && !last) return;
    PaintAtDesignSize(buffer, rect, ViewDpi(view), [&](TKsBitmap& target, const TRect& at) {
        const int left = at.Right - 16;
        const int top = at.Top + (at.Height() - 4) / 2;
        if (first) {
            const TPoint up[] = {{left, top + 4}, {left + 7, top + 4}, {left + 3, top}, {left + 4, top}};
            target.Polygon(up, pixel);
        }
        if (last) {
            const TPoint down[] = {{left, top}, {left + 7, top}, {left + 4, top + 4}, {left + 3, top + 4}};
            target.Polygon(down, pixel);
        }
    });
}

void DrawItemImage(TKsBitmap& buffer, const TCustomImageList& images, int index, bool enabled, const TRect& box,
                   int dpi)
{
    const TRect placed = RectCentered({0, 0, ScaleByDpi(images.Width(), dpi), ScaleByDpi(images.Height(), dpi)}, box);
    PaintAtDesignSize(buffer, placed, dpi, [&](TKsBitmap& target, const TRect& at) {
        images.Draw(target.DC(), at.Left, at.Top, index, enabled);
        GdiFlush();
        if (dpi == kDesignDpi) target.SetAlpha(255, at);
    });
}

void DrawWindowIcon(TKsBitmap& buffer, const TKsCustomItem& item, const TRect& rect, int dpi)
{
    const int iconSize = SystemMetricForDpi(SM_CXSMICON, dpi);
    HICON icon = item.ChildFrame() ? item.ChildFrame()->FormIcon() : ProgramIcon();
    TRect placed = RectCentered({0, 0, iconSize, iconSize}, rect);
    DrawIconEx(buffer.DC(), placed.Left, placed.Top, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
    GdiFlush();
    buffer.SetAlpha(255, placed);
}

void DrawPlainWindowButton(TKsBitmap& buffer, TKsItemKind kind, const TRect& rect, bool pushed)
{
    UINT state = kind == ikClose ? DFCS_CAPTIONCLOSE : kind == ikRestore ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN;
    if (kind == ikWindowIcon) return;
    RECT area = rect.Inflate(-1).ToRECT();
    DrawFrameControl(buffer.DC(), &area, DFC_CAPTION, state | (pushed ? DFCS_PUSHED : 0));
    GdiFlush();
    buffer.SetAlpha(255, rect);
}

SIZE TKsCustomItem::Measure(TKsBitmap& buffer, const TKsItemView& view)
{
    const int dpi = ViewDpi(view);
    const TFont& font = MenuFont(dpi);
    int height = PlainItemHeight(dpi);
    if (view.Orientation() == voHorizontal) {
        if (kind_ != ikNormal) return {height, height};
        return {CaptionWidth(buffer, font, caption_) + ScaleByDpi(12, dpi), height};
    }
    int width = CaptionWidth(buffer, font, caption_) + ScaleByDpi(74, dpi);
    if (shortCut_ != scNone) width += CaptionWidth(buffer, font, ShortCutToText(shortCut_));
    return {width, IsSeparator() ? ScaleByDpi(15, dpi) : height};
}

void TKsCustomItem::Paint(TKsBitmap& buffer, const TKsItemView& view, bool mouseDriven, bool selected,
                          const TRect& rect)
{
    if (view.Orientation() == voHorizontal)
        PaintPlainBarItem(*this, buffer, mouseDriven, selected, rect, ViewDpi(view));
    else
        PaintPopupItem(*this, buffer, view, selected, rect);
}

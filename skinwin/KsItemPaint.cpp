// Measuring and painting items in the plain look of the system's menu colours and font.
#include "skinwin/KsItemPaint.h"

#include "framework/SystemSettings.h"
#include "skinwin/KsForms.h"

#include <algorithm>

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
    if (item.IsSeparator()) {
        buffer.FillRect(rect, ColorToPixel(clMenu));
        int middle = rect.Top + rect.Height() / 2 - 1;
        buffer.FillRect({rect.Left + 2, middle, rect.Right - 2, middle + 1}, ColorToPixel(clBtnShadow));
        buffer.FillRect({rect.Left + 2, middle + 1, rect.Right - 2, middle + 2}, ColorToPixel(clBtnHighlight));
        return;
    }
    buffer.FillRect(rect, ColorToPixel(selected ? clHighlight : clMenu));
    TColor textColor = selected ? clHighlightText : clMenuText;

    TCustomImageList* images = item.Images();
    bool hasImage = images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
    if (item.Checked() || hasImage) {
        TRect box{rect.Left, rect.Top, rect.Left + kCheckBoxWidth, rect.Bottom};
        buffer.FillRect(box, ColorToPixel(clBtnFace));
        if (item.Checked())
            buffer.FrameRect(box, ColorToPixel(clBtnShadow), ColorToPixel(clBtnHighlight));
        else if (selected)
            buffer.FrameRect(box, ColorToPixel(clBtnHighlight), ColorToPixel(clBtnShadow));
        if (hasImage)
            DrawItemImage(buffer, *images, item.ImageIndex(), item.Enabled(), box);
        else
            DrawCheckMark(buffer, box, ColorToPixel(ContrastColor(clBlack, clBtnText)));
    }

    TRect captionRect{rect.Left + kCaptionLeft, rect.Top, rect.Right, rect.Bottom};
    TRect shortCutRect{rect.Left, rect.Top, rect.Right - kRightBoxWidth, rect.Bottom};
    std::wstring shortCut = ShortCutToText(item.ShortCut());
    const UINT captionFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    const UINT shortCutFormat = DT_SINGLELINE | DT_VCENTER | DT_RIGHT;
    if (item.Enabled()) {
        DrawTextIn(buffer, MenuFont(), textColor, item.Caption(), captionRect, captionFormat);
        DrawTextIn(buffer, MenuFont(), textColor, shortCut, shortCutRect, shortCutFormat);
    } else {
        for (auto [color, offset] : {std::pair{clBtnHighlight, 1}, std::pair{clBtnShadow, 0}}) {
            DrawTextIn(buffer, MenuFont(), color, item.Caption(), captionRect.Offset(offset, offset), captionFormat);
            DrawTextIn(buffer, MenuFont(), color, shortCut, shortCutRect.Offset(offset, offset), shortCutFormat);
        }
    }
    if (item.Count() > 0) DrawSubmenuArrow(buffer, rect, textColor);
    DrawScrollMarks(buffer, view, item, rect, ColorToPixel(textColor));
}

} // namespace

void PaintPlainBarItem(TKsCustomItem& item, TKsBitmap& buffer, bool mouseDriven, bool selected, const TRect& rect)
{
    buffer.FillRect(rect, ColorToPixel(clMenu));
    if (item.Kind() == ikWindowIcon) {
        DrawWindowIcon(buffer, item, rect);
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
    DrawTextIn(buffer, MenuFont(), item.Enabled() ? clMenuText : clGrayText, item.Caption(), rect,
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

const TFont& MenuFont()
{
    static const TFont font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        const LOGFONTW& menu = metrics.lfMenuFont;
        TFont result;
        if (menu.lfFaceName[0]) result.SetName(menu.lfFaceName);
        if (menu.lfHeight) result.SetHeight(menu.lfHeight);
        result.SetCharset(menu.lfCharSet);
        TFontStyles style;
        if (menu.lfWeight >= FW_BOLD) style.Include(fsBold);
        if (menu.lfItalic) style.Include(fsItalic);
        result.SetStyle(style);
        return result;
    }();
    return font;
}

int PlainItemHeight() { return std::max(GetSystemMetrics(SM_CYMENU), 20); }

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

void DrawSubmenuArrow(TKsBitmap& buffer, const TRect& rect, TColor color)
{
    // The platform draws its arrow black on white; its black pixels take the colour.
    int width = GetSystemMetrics(SM_CXMENUCHECK), height = GetSystemMetrics(SM_CYMENUCHECK);
    TKsBitmap shape;
    shape.SetSize(width, height);
    shape.Fill(0xFFFFFFFF);
    RECT area{0, 0, width, height};
    DrawFrameControl(shape.DC(), &area, DFC_MENU, DFCS_MENUARROW);
    GdiFlush();
    TRect box{rect.Right - kRightBoxWidth, rect.Top, rect.Right, rect.Bottom};
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
    const int left = rect.Right - 16;
    const int top = rect.Top + (rect.Height() - 4) / 2;
    if (index == view.WindowFirst()) {
        const TPoint up[] = {{left, top + 4}, {left + 7, top + 4}, {left + 3, top}, {left + 4, top}};
        buffer.Polygon(up, pixel);
    }
    if (index == view.WindowEnd() - 1) {
        const TPoint down[] = {{left, top}, {left + 7, top}, {left + 4, top + 4}, {left + 3, top + 4}};
        buffer.Polygon(down, pixel);
    }
}

void DrawItemImage(TKsBitmap& buffer, const TCustomImageList& images, int index, bool enabled, const TRect& box)
{
    TRect placed = RectCentered({0, 0, images.Width(), images.Height()}, box);
    images.Draw(buffer.DC(), placed.Left, placed.Top, index, enabled);
    GdiFlush();
    buffer.SetAlpha(255, placed);
}

void DrawWindowIcon(TKsBitmap& buffer, const TKsCustomItem& item, const TRect& rect)
{
    constexpr int kIconSize = 16;
    HICON icon = item.ChildFrame() ? item.ChildFrame()->FormIcon() : ProgramIcon();
    TRect placed = RectCentered({0, 0, kIconSize, kIconSize}, rect);
    DrawIconEx(buffer.DC(), placed.Left, placed.Top, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
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
    const TFont& font = MenuFont();
    int height = PlainItemHeight();
    if (view.Orientation() == voHorizontal) {
        if (kind_ != ikNormal) return {height, height};
        return {CaptionWidth(buffer, font, caption_) + 12, height};
    }
    int width = CaptionWidth(buffer, font, caption_) + 74;
    if (shortCut_ != scNone) width += CaptionWidth(buffer, font, ShortCutToText(shortCut_));
    return {width, IsSeparator() ? 15 : height};
}

void TKsCustomItem::Paint(TKsBitmap& buffer, const TKsItemView& view, bool mouseDriven, bool selected,
                          const TRect& rect)
{
    if (view.Orientation() == voHorizontal)
        PaintPlainBarItem(*this, buffer, mouseDriven, selected, rect);
    else
        PaintPopupItem(*this, buffer, view, selected, rect);
}

#include "skinwin/KsForms.h"

#include "skinwin/KsFormResources.h"

#include <algorithm>
#include <array>
#include <utility>

// The plain look: a frame from the system's colours, metrics and caption buttons, used without a
// skin (and by the skinned class whenever its skin cannot be used).

namespace {

constexpr int kPlainBorder = 3;
constexpr int kCornerLength = 20;
constexpr int kButtonTop = 2;

// The caption buttons from the right edge inwards.
constexpr std::array<TKsBorderIcon, 6> kButtonOrder = {kbiClose, kbiMaximize, kbiMinimize, kbiRollup, kbiTray, kbiHelp};

// A system metric at dpi, or the design fallback scaled to it where the platform has none.
int SystemOr(int metric, int fallback, int dpi)
{
    int value = SystemMetricForDpi(metric, dpi);
    return value > 0 ? value : ScaleByDpi(fallback, dpi);
}

TKsFramePart PartOfButton(TKsBorderIcon button)
{
    switch (button) {
    case kbiClose:
        return fpClose;
    case kbiSystemMenu:
        return fpSysMenu;
    case kbiMinimize:
        return fpMinimize;
    case kbiMaximize:
        return fpMaximize;
    case kbiHelp:
        return fpHelp;
    case kbiRollup:
        return fpRollup;
    case kbiTray:
        return fpTray;
    }
    return fpClient;
}

// A small chevron (roll up) or a bar with a downward arrow (tray) on a plain push face.
// Its lines are laid out in design pixels around the face's centre and scaled to dpi.
void DrawPlainGlyph(HDC dc, const TRect& r, TKsBorderIcon button, int dpi)
{
    auto s = [dpi](int n) { return ScaleByDpi(n, dpi); };
    TPenHandle pen(CreatePen(PS_SOLID, s(1), GetSysColor(COLOR_BTNTEXT)));
    TSelectObject select(dc, pen.Get());
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    if (button == kbiRollup) {
        for (int i = 0; i < 2; ++i) {
            MoveToEx(dc, cx - s(3), cy + s(1 + i), nullptr);
            LineTo(dc, cx, cy + s(i - 2));
            LineTo(dc, cx + s(4), cy + s(2 + i));
        }
    } else {
        MoveToEx(dc, cx - s(3), cy + s(3), nullptr);
        LineTo(dc, cx + s(4), cy + s(3));
        MoveToEx(dc, cx, cy - s(3), nullptr);
        LineTo(dc, cx, cy + s(1));
        MoveToEx(dc, cx - s(2), cy - s(1), nullptr);
        LineTo(dc, cx + s(3), cy - s(1));
    }
}

} // namespace

TRect TKsCustomForm::ClientRect()
{
    if (MaximizedMDIChild()) return {0, 0, FrameSize().cx, FrameSize().cy};
    return PlainClientRect();
}

TRect TKsCustomForm::CaptionButtonRect(TKsBorderIcon button) { return PlainCaptionButtonRect(button); }
TKsFramePart TKsCustomForm::HitTest(TPoint point) { return PlainHitTest(point); }

int TKsCustomForm::CaptionShortfall(const std::wstring& text)
{
    if (borderStyle_ == kbsNone) return 0;
    TWindowDC dc(nullptr);
    TSelectObject font(dc.Get(),
                       borderStyle_ == kbsToolWindow ? SmallCaptionFont(FrameDpi()) : CaptionFont(FrameDpi()));
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return std::max(static_cast<int>(size.cx) - PlainCaptionTextRect().Width(), 0);
}
void TKsCustomForm::PaintFrame(TKsBitmap& buffer) { PlainPaintFrame(buffer); }
void TKsCustomForm::PaintClientBackground(TKsBitmap& buffer) { PlainPaintClientBackground(buffer); }

TRect TKsCustomForm::PlainClientRect()
{
    const int dpi = FrameDpi();
    int caption = 0;
    if (borderStyle_ == kbsStandard)
        caption = SystemOr(SM_CYCAPTION, 19, dpi);
    else if (borderStyle_ == kbsToolWindow)
        caption = SystemOr(SM_CYSMCAPTION, 15, dpi);
    const int border = ScaleByDpi(kPlainBorder, dpi);
    TRect client(border, border + caption, frameSize_.cx - border, frameSize_.cy - border);
    client.Right = std::max(client.Right, client.Left);
    client.Bottom = std::max(client.Bottom, client.Top);
    return client;
}

TRect TKsCustomForm::PlainCaptionButtonRect(TKsBorderIcon button)
{
    const int dpi = FrameDpi();
    const int border = ScaleByDpi(kPlainBorder, dpi);
    const int buttonTop = ScaleByDpi(kButtonTop, dpi);
    const int caption = PlainClientRect().Top - border;
    if (caption <= 0 || !borderIcons_.Contains(button)) return {};
    if (button == kbiSystemMenu) return TRect::FromSize(border, border, caption, caption);
    const bool minimized = states_.State() == kwsMinimized;
    const int height = std::max(caption - 2 * buttonTop, 0);
    const int width = height + ScaleByDpi(2, dpi);
    int right = frameSize_.cx - border - buttonTop;
    for (TKsBorderIcon candidate : kButtonOrder) {
        if (!borderIcons_.Contains(candidate)) continue;
        bool shown = true;
        if (candidate != kbiClose && borderStyle_ == kbsToolWindow) shown = false;
        if (minimized && (candidate == kbiMaximize || candidate == kbiRollup || candidate == kbiTray)) shown = false;
        if (candidate == kbiHelp && (minimized || states_.State() == kwsRollup)) shown = false;
        if (!shown) continue;
        TRect r = TRect::FromSize(right - width, border + buttonTop, width, height);
        if (candidate == button) return r;
        right = r.Left - (candidate == kbiClose ? buttonTop : 0);
    }
    return {};
}

TKsFramePart TKsCustomForm::PlainHitTest(TPoint point)
{
    const TRect client = PlainClientRect();
    const int width = frameSize_.cx;
    const int height = frameSize_.cy;
    TKsFramePart part = fpClient;
    if (point.Y < client.Top) part = fpCaption;
    for (TKsBorderIcon button : {kbiSystemMenu, kbiClose, kbiMinimize, kbiMaximize, kbiHelp, kbiRollup, kbiTray})
        if (PlainCaptionButtonRect(button).Contains(point)) part = PartOfButton(button);
    if (states_.State() == kwsMaximized || states_.State() == kwsMinimized || states_.State() == kwsRollup) return part;
    const int corner = ScaleByDpi(kCornerLength, FrameDpi());
    auto along = [corner](int at, int length, TKsFramePart first, TKsFramePart middle, TKsFramePart last) {
        if (at < corner) return first;
        if (at > length - corner) return last;
        return middle;
    };
    if (point.Y < ScaleByDpi(kPlainBorder, FrameDpi())) part = along(point.X, width, fpTopLeft, fpTop, fpTopRight);
    if (point.Y >= client.Bottom) part = along(point.X, width, fpBottomLeft, fpBottom, fpBottomRight);
    if (point.X < client.Left) part = along(point.Y, height, fpTopLeft, fpLeft, fpBottomLeft);
    if (point.X >= client.Right) part = along(point.Y, height, fpTopRight, fpRight, fpBottomRight);
    return part;
}

TRect TKsCustomForm::PlainCaptionTextRect()
{
    const int border = ScaleByDpi(kPlainBorder, FrameDpi());
    const int gap = ScaleByDpi(2, FrameDpi());
    const TRect caption(border, border, frameSize_.cx - border, PlainClientRect().Top);
    TRect text{caption.Left + gap, caption.Top, caption.Right, caption.Bottom};
    if (TRect icon = PlainCaptionButtonRect(kbiSystemMenu); !icon.IsEmpty()) text.Left = icon.Right + gap;
    for (TKsBorderIcon button : kButtonOrder)
        if (TRect r = PlainCaptionButtonRect(button); !r.IsEmpty()) text.Right = std::min(text.Right, r.Left - gap);
    return text;
}

void TKsCustomForm::PlainPaintFrame(TKsBitmap& buffer)
{
    const TRect frame(0, 0, frameSize_.cx, frameSize_.cy);
    const TRect client = PlainClientRect();
    HDC dc = buffer.DC();
    const int dpi = FrameDpi();
    buffer.FillRect(frame, ColorToPixel(clBtnFace));
    GdiFlush();
    // The raised edge's two rings, each as wide as one design pixel is at the DPI.
    for (auto [ring, look] : {std::pair{0, BDR_RAISEDOUTER}, std::pair{1, BDR_RAISEDINNER}})
        for (int inset = ScaleByDpi(ring, dpi); inset < ScaleByDpi(ring + 1, dpi); ++inset) {
            RECT edge = frame.Inflate(-inset).ToRECT();
            DrawEdge(dc, &edge, look, BF_RECT);
        }

    const int border = ScaleByDpi(kPlainBorder, dpi);
    const TRect caption(border, border, frameSize_.cx - border, client.Top);
    if (!caption.IsEmpty()) {
        GdiFlush();
        buffer.GradientFill(
            caption, ColorToPixel(SystemColor(frameActive_ ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)),
            ColorToPixel(SystemColor(frameActive_ ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION)),
            false);
        TRect icon = PlainCaptionButtonRect(kbiSystemMenu);
        if (!icon.IsEmpty()) {
            HICON handle = FormIcon();
            int size = std::min(SystemOr(SM_CXSMICON, 16, dpi), icon.Height() - ScaleByDpi(2, dpi));
            DrawIconEx(dc, icon.Left + (icon.Width() - size) / 2, icon.Top + (icon.Height() - size) / 2, handle, size,
                       size, 0, nullptr, DI_NORMAL);
        }
        for (TKsBorderIcon button : kButtonOrder) {
            TRect r = PlainCaptionButtonRect(button);
            if (r.IsEmpty()) continue;
            RECT face = r.ToRECT();
            UINT pushed = ButtonPressed(PartOfButton(button)) ? DFCS_PUSHED : 0;
            switch (button) {
            case kbiClose:
                DrawFrameControl(dc, &face, DFC_CAPTION, DFCS_CAPTIONCLOSE | pushed);
                break;
            case kbiMinimize:
                DrawFrameControl(dc, &face, DFC_CAPTION, DFCS_CAPTIONMIN | pushed);
                break;
            case kbiHelp:
                DrawFrameControl(dc, &face, DFC_CAPTION, DFCS_CAPTIONHELP | pushed);
                break;
            case kbiMaximize:
                DrawFrameControl(dc, &face, DFC_CAPTION,
                                 (states_.State() == kwsMaximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) | pushed);
                break;
            default:
                DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | pushed);
                DrawPlainGlyph(dc, r, button, dpi);
                break;
            }
        }
        HFONT font = borderStyle_ == kbsToolWindow ? SmallCaptionFont(dpi) : CaptionFont(dpi);
        TSelectObject selectFont(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(frameActive_ ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT text = PlainCaptionTextRect().ToRECT();
        std::wstring title = CaptionText();
        if (text.right > text.left)
            DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text,
                      DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    GdiFlush();
    buffer.SetAlpha(255, frame);
}

void TKsCustomForm::PlainPaintClientBackground(TKsBitmap& buffer)
{
    TCustomForm* form = Form();
    buffer.FillRect(ClientRect(), ColorToPixel(form ? form->Color() : clBtnFace, 255));
}

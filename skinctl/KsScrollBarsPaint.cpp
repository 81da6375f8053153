#include "skinctl/KsScrollBars.h"

#include "skin/objects/KsSkinObjects.h"
#include "skin/raster/KsPlainFrames.h"

void TKsCustomScrollBar::PaintFace()
{
    TKsGraphicControl::PaintFace();
    PaintBarBorder();
    TKsScrollBarGeometry geometry = Geometry();
    PaintTrack(geometry.TrackRect());
    if (showButtons_) {
        PaintArrow(kspArrow1, geometry.Arrow1Rect());
        PaintArrow(kspArrow2, geometry.Arrow2Rect());
    }
    TRect thumb = geometry.ThumbRect();
    if (!Enabled() || geometry.ThumbLength() <= 0 || thumb.IsEmpty()) return;
    PaintThumb(thumb);
    if (pressed_.PageBefore && hot_.PageBefore) PaintPressedPage(geometry.PageBeforeRect());
    if (pressed_.PageAfter && hot_.PageAfter) PaintPressedPage(geometry.PageAfterRect());
}

int TKsCustomScrollBar::PartState(TKsScrollPart part) const
{
    if (!Enabled()) return ssDisabled;
    if (part == kspThumb ? ThumbHeld() : PartPressed(part) && PartHot(part)) return ssPressed;
    return PartHot(part) ? ssHot : ssNormal;
}

void TKsCustomScrollBar::PaintBarBorder()
{
    if (borderWidth_ <= 0) return;
    FrameRing(Surface(), TRect(0, 0, Width(), Height()), 0, Dpi(), ColorToPixel(clBtnShadow),
              ColorToPixel(clBtnHighlight));
}

void TKsCustomScrollBar::PaintTrack(const TRect& track)
{
    Surface().CheckerFill(track, ColorToPixel(clScrollBar), ColorToPixel(clBtnHighlight));
}

void TKsCustomScrollBar::PaintArrow(TKsScrollPart arrow, const TRect& rect)
{
    if (rect.IsEmpty()) return;
    UINT state;
    if (kind_ == sbVertical)
        state = arrow == kspArrow1 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
    else
        state = arrow == kspArrow1 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
    if (PartPressed(arrow) && PartHot(arrow)) state |= DFCS_FLAT | DFCS_PUSHED;
    if (!Enabled()) state |= DFCS_INACTIVE;
    RECT r = rect.ToRECT();
    DrawFrameControl(Surface().DC(), &r, DFC_SCROLL, state);
    GdiFlush();
    // The platform's drawing leaves the alpha channel empty.
    Surface().SetAlpha(255, rect);
}

void TKsCustomScrollBar::PaintThumb(const TRect& rect)
{
    TKsBitmap& surface = Surface();
    surface.FillRect(rect, ColorToPixel(clBtnFace));
    const int dpi = Dpi();
    if (ThumbHeld()) {
        FrameRing(surface, rect, 0, dpi, ColorToPixel(clBtnShadow), ColorToPixel(clBtnShadow));
        return;
    }
    FrameRing(surface, rect, 1, dpi, ColorToPixel(clBtnHighlight), ColorToPixel(clBtnShadow));
    FrameRing(surface, rect, 0, dpi, ColorToPixel(cl3DLight), ColorToPixel(cl3DDkShadow));
}

void TKsCustomScrollBar::PaintPressedPage(const TRect& rect) { Surface().FillRect(rect, ColorToPixel(cl3DDkShadow)); }

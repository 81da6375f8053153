#include "skinctl/KsScrollBars.h"

#include "framework/SystemSettings.h"

#include <algorithm>

bool TKsCustomScrollBar::AnySet(const TPartFlags& flags)
{
    return flags.Arrow1 || flags.Arrow2 || flags.PageBefore || flags.PageAfter || flags.Thumb;
}

TKsScrollPart TKsCustomScrollBar::PartAt(int x, int y) const
{
    TKsScrollBarGeometry geometry = Geometry();
    TPoint p{x, y};
    if (geometry.ThumbLength() > 0 && geometry.ThumbRect().Contains(p)) return kspThumb;
    if (showButtons_ && geometry.Arrow1Rect().Contains(p)) return kspArrow1;
    if (showButtons_ && geometry.Arrow2Rect().Contains(p)) return kspArrow2;
    if (geometry.PageBeforeRect().Contains(p)) return kspPageBefore;
    if (geometry.PageAfterRect().Contains(p)) return kspPageAfter;
    return kspNone;
}

bool TKsCustomScrollBar::PartHot(TKsScrollPart part) const
{
    switch (part) {
    case kspArrow1: return hot_.Arrow1;
    case kspArrow2: return hot_.Arrow2;
    case kspPageBefore: return hot_.PageBefore;
    case kspPageAfter: return hot_.PageAfter;
    case kspThumb: return hot_.Thumb;
    default: return false;
    }
}

bool TKsCustomScrollBar::PartPressed(TKsScrollPart part) const
{
    switch (part) {
    case kspArrow1: return pressed_.Arrow1;
    case kspArrow2: return pressed_.Arrow2;
    case kspPageBefore: return pressed_.PageBefore;
    case kspPageAfter: return pressed_.PageAfter;
    case kspThumb: return ThumbHeld();
    default: return false;
    }
}

bool TKsCustomScrollBar::UpdateHot(int x, int y)
{
    TKsScrollBarGeometry geometry = Geometry();
    TPoint p{x, y};
    TPartFlags hot;
    hot.Thumb = geometry.ThumbLength() > 0 && geometry.ThumbRect().Contains(p);
    hot.Arrow1 = showButtons_ && geometry.Arrow1Rect().Contains(p);
    hot.Arrow2 = showButtons_ && geometry.Arrow2Rect().Contains(p);
    hot.PageBefore = geometry.PageBeforeRect().Contains(p);
    hot.PageAfter = geometry.PageAfterRect().Contains(p);
    bool changed = hot.Thumb != hot_.Thumb || hot.Arrow1 != hot_.Arrow1 || hot.Arrow2 != hot_.Arrow2 ||
                   hot.PageBefore != hot_.PageBefore || hot.PageAfter != hot_.PageAfter;
    hot_ = hot;
    return changed;
}

void TKsCustomScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button != mbLeft) {
        TKsGraphicControl::MouseDown(button, shift, x, y);
        return;
    }
    lastX_ = x;
    lastY_ = y;
    // A press is where the pointer is, even when no move announced it first.
    UpdateHot(x, y);
    TKsScrollBarGeometry geometry = Geometry();
    int along = kind_ == sbVertical ? y : x;
    if (geometry.ThumbLength() > 0 && geometry.ThumbRect().Contains({x, y})) {
        dragOffset_ = along - geometry.ThumbEdge();
        Scroll(kscThumbTrack, position_);
        Invalidate();
    }
    TPartFlags before = pressed_;
    TPoint p{x, y};
    if (showButtons_ && geometry.Arrow1Rect().Contains(p)) pressed_.Arrow1 = true;
    if (showButtons_ && geometry.Arrow2Rect().Contains(p)) pressed_.Arrow2 = true;
    if (geometry.PageBeforeRect().Contains(p)) pressed_.PageBefore = true;
    if (geometry.PageAfterRect().Contains(p)) pressed_.PageAfter = true;
    auto becameActive = [](bool was, bool pressed, bool hot) { return !was && pressed && hot; };
    if (becameActive(before.Arrow1, pressed_.Arrow1, hot_.Arrow1) ||
        becameActive(before.Arrow2, pressed_.Arrow2, hot_.Arrow2) ||
        becameActive(before.PageBefore, pressed_.PageBefore, hot_.PageBefore) ||
        becameActive(before.PageAfter, pressed_.PageAfter, hot_.PageAfter)) {
        Invalidate();
        StartRepeating();
        RepeatTick();
        repeatTimer_->SetInterval(KeyboardRepeatDelay());
        repeatTimer_->SetEnabled(true);
    }
    TKsGraphicControl::MouseDown(button, shift, x, y);
}

void TKsCustomScrollBar::MouseMove(TShiftState shift, int x, int y)
{
    lastX_ = x;
    lastY_ = y;
    if (ThumbHeld()) {
        TKsScrollBarGeometry geometry = Geometry();
        int along = kind_ == sbVertical ? y : x;
        int edge = std::clamp(along - dragOffset_, geometry.TrackStart(), geometry.TrackEnd());
        Scroll(kscThumbTrack, geometry.PositionForEdge(edge));
    }
    if (UpdateHot(x, y)) Invalidate();
    TKsGraphicControl::MouseMove(shift, x, y);
}

void TKsCustomScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) EndPress();
    TKsGraphicControl::MouseUp(button, shift, x, y);
}

void TKsCustomScrollBar::EndPress()
{
    if (ThumbHeld()) Scroll(kscThumbPosition, position_);
    dragOffset_ = -1;
    pressed_ = TPartFlags();
    StopTimer();
    Scroll(kscEndScroll, position_);
    Invalidate();
}

void TKsCustomScrollBar::MouseLeave()
{
    bool wasHot = AnySet(hot_);
    hot_ = TPartFlags();
    if (wasHot) Invalidate();
    TKsGraphicControl::MouseLeave();
}

void TKsCustomScrollBar::WndProc(TMessage& message)
{
    if (message.Msg == WM_CAPTURECHANGED) {
        // The mouse was taken away in the middle of a press (another window came to the front): the
        // press ends as a release would, and nothing keeps repeating or looks hot.
        hot_ = TPartFlags();
        EndPress();
        return;
    }
    TKsGraphicControl::WndProc(message);
}

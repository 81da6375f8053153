#include "skinctl/KsScrollBars.h"

#include "framework/SystemSettings.h"

#include <algorithm>
#include <climits>

int ScrollThumbMetric(int dpi) { return SystemMetricForDpi(SM_CYVTHUMB, dpi); }

TKsCustomScrollBar::TKsCustomScrollBar(TComponent* owner) : TKsGraphicControl(owner)
{
    SetBounds(Left(), Top(), 121, ScrollThumbMetric(Dpi()) + 2 * borderWidth_);
}

void TKsCustomScrollBar::SetPosition(int position)
{
    if (position == position_) return;
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    Invalidate();
    if (OnChange) OnChange();
}

void TKsCustomScrollBar::SetMax(int max)
{
    if (max == max_) return;
    max_ = std::max(max, min_);
    if (position_ > max_) SetPosition(max_);
    pageSize_ = std::min(pageSize_, PositionCount());
    Invalidate();
}

void TKsCustomScrollBar::SetMin(int min)
{
    if (min == min_) return;
    min_ = std::min(min, max_);
    if (position_ < min_) SetPosition(min_);
    pageSize_ = std::min(pageSize_, PositionCount());
    Invalidate();
}

void TKsCustomScrollBar::SetPageSize(int pageSize)
{
    if (pageSize == pageSize_ || pageSize < 0) return;
    pageSize_ = std::min(pageSize, PositionCount());
    Invalidate();
}

int TKsCustomScrollBar::PositionCount() const
{
    return static_cast<int>(std::min<long long>(static_cast<long long>(max_) - min_ + 1, INT_MAX));
}

void TKsCustomScrollBar::SetLargeChange(int change) { largeChange_ = std::clamp(change, 1, 32767); }

void TKsCustomScrollBar::SetSmallChange(int change) { smallChange_ = std::clamp(change, 1, 32767); }

void TKsCustomScrollBar::SetKind(TScrollBarKind kind)
{
    if (kind == kind_) return;
    kind_ = kind;
    Invalidate();
}

void TKsCustomScrollBar::SetBorderWidth(int width)
{
    if (width == borderWidth_) return;
    borderWidth_ = std::max(width, 0);
    Invalidate();
}

void TKsCustomScrollBar::SetShowButtons(bool show)
{
    if (show == showButtons_) return;
    showButtons_ = show;
    Invalidate();
}

void TKsCustomScrollBar::Invalidate()
{
    // A buffered parent renders the bar into its own buffer on every paint: asking it to repaint is
    // enough, and spares it an erase that would render it twice.
    if (auto* buffered = dynamic_cast<TKsCustomControl*>(Parent())) {
        buffered->Invalidate();
        return;
    }
    TKsGraphicControl::Invalidate();
}

int TKsCustomScrollBar::StandardThickness() const { return ScrollThumbMetric(Dpi()) + 2 * borderWidth_; }

void TKsCustomScrollBar::SetStandardThickness()
{
    if (kind_ == sbVertical)
        SetBounds(Left(), Top(), StandardThickness(), Height());
    else
        SetBounds(Left(), Top(), Width(), StandardThickness());
}

int TKsCustomScrollBar::ArrowMetric() const { return ScrollThumbMetric(Dpi()); }

TKsScrollBarGeometry TKsCustomScrollBar::Geometry() const
{
    TKsScrollBarGeometry geometry;
    geometry.Vertical = kind_ == sbVertical;
    geometry.Width = Width();
    geometry.Height = Height();
    geometry.BorderWidth = borderWidth_;
    geometry.ShowButtons = showButtons_;
    geometry.ThumbMetric = ScrollThumbMetric(Dpi());
    geometry.ArrowMetric = ArrowMetric();
    geometry.Min = min_;
    geometry.Max = max_;
    geometry.PageSize = pageSize_;
    geometry.Position = position_;
    return geometry;
}

int TKsCustomScrollBar::Scroll(TKsScrollCode code, int position)
{
    if (OnScroll) OnScroll(code, position);
    SetPosition(position);
    return position_;
}

void TKsCustomScrollBar::Step(WORD key)
{
    long long position = position_;
    int page = pageSize_ >= 1 ? pageSize_ : largeChange_;
    TKsScrollCode code;
    switch (key) {
    case VK_PRIOR:
        position -= page;
        code = kscPageUp;
        break;
    case VK_NEXT:
        position += page;
        code = kscPageDown;
        break;
    case VK_END:
        position = max_;
        code = kscBottom;
        break;
    case VK_HOME:
        position = min_;
        code = kscTop;
        break;
    case VK_LEFT:
    case VK_UP:
        position -= smallChange_;
        code = kscLineUp;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        position += smallChange_;
        code = kscLineDown;
        break;
    default:
        return;
    }
    int before = position_;
    int after = Scroll(code, static_cast<int>(std::clamp<long long>(position, min_, max_)));
    // A line step that cannot move any further ends the owner's repeating in that direction, also
    // where the owner keeps the last page full short of Max.
    if (code == kscLineDown && autoRepeatDown_ && (after >= max_ || after == before)) SetAutoRepeatDown(false);
    if (code == kscLineUp && autoRepeatUp_ && (after <= min_ || after == before)) SetAutoRepeatUp(false);
}

void TKsCustomScrollBar::SetAutoRepeatUp(bool on)
{
    if (on == autoRepeatUp_) return;
    autoRepeatUp_ = on;
    if (!on) {
        StopTimer();
        return;
    }
    autoRepeatDown_ = false;
    StartRepeating();
    repeatTimer_->SetInterval(KeyboardRepeatInterval());
    repeatTimer_->SetEnabled(true);
}

void TKsCustomScrollBar::SetAutoRepeatDown(bool on)
{
    if (on == autoRepeatDown_) return;
    autoRepeatDown_ = on;
    if (!on) {
        StopTimer();
        return;
    }
    autoRepeatUp_ = false;
    StartRepeating();
    repeatTimer_->SetInterval(KeyboardRepeatInterval());
    repeatTimer_->SetEnabled(true);
}

bool TKsCustomScrollBar::Repeating() const { return repeatTimer_ && repeatTimer_->Enabled(); }

void TKsCustomScrollBar::StartRepeating()
{
    if (repeatTimer_) return;
    repeatTimer_ = new TTimer(this);
    repeatTimer_->SetEnabled(false);
    repeatTimer_->OnTimer = [this] {
        try {
            RepeatTick();
        } catch (...) {
            StopTimer();
            throw;
        }
    };
}

void TKsCustomScrollBar::StopTimer()
{
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
}

void TKsCustomScrollBar::RepeatTick()
{
    repeatTimer_->SetInterval(KeyboardRepeatInterval());
    if ((pressed_.Arrow1 && hot_.Arrow1) || autoRepeatUp_) {
        Step(VK_UP);
        return;
    }
    if ((pressed_.Arrow2 && hot_.Arrow2) || autoRepeatDown_) {
        Step(VK_DOWN);
        return;
    }
    // The thumb moves towards the pointer page by page and stops once it lies under it.
    TKsScrollBarGeometry geometry = Geometry();
    TPoint pointer{lastX_, lastY_};
    bool before = hot_.PageBefore;
    bool after = hot_.PageAfter;
    hot_.PageBefore = geometry.PageBeforeRect().Contains(pointer);
    if (pressed_.PageBefore && hot_.PageBefore) {
        Step(VK_PRIOR);
    } else {
        hot_.PageAfter = geometry.PageAfterRect().Contains(pointer);
        if (pressed_.PageAfter && hot_.PageAfter) Step(VK_NEXT);
    }
    if (before != hot_.PageBefore || after != hot_.PageAfter) Invalidate();
}

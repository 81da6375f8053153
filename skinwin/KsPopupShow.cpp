// Showing an item's children in a popup window: its settings, its place on the monitor, and the
// blocking run of its tracking loop.
#include "skinwin/KsMenuAccessible.h"
#include "skinwin/KsMenuForm.h"

#include "framework/Screen.h"

#include <memory>

namespace {

// The monitor of the outermost form among the item's owners, or the primary screen without one.
TRect BoundingArea(const TKsCustomItem& item)
{
    TCustomForm* form = nullptr;
    for (TComponent* owner = item.Owner(); owner; owner = owner->Owner())
        if (auto* found = dynamic_cast<TCustomForm*>(owner)) form = found;
    if (form && form->HandleAllocated()) return Screen->MonitorFromWindow(form->Handle()).BoundsRect;
    return {0, 0, Screen->Width(), Screen->Height()};
}

// A popup is laid out at the DPI of what opens it: the view it drops from, else the control whose
// menu it is, else the monitor at the point.
int PopupDpi(const TKsCustomItem& item, const TKsItemView* parentView, TPoint at)
{
    if (parentView && parentView->Control()) return parentView->Control()->Dpi();
    if (item.OwnerControl()) return item.OwnerControl()->Dpi();
    return RectDpi(TRect::FromSize(at.X, at.Y, 1, 1));
}

// Gives the frame the item's popup settings; only the first popup of a tracking animates.
void ApplySettings(TKsCustomItem& item, TKsPopupForm& frame)
{
    frame.SetBlend(item.PopupBlend());
    frame.SetBlendValue(item.PopupBlendValue());
    const TKsPopupSettings& settings = item.PopupSettings();
    frame.SetDropShadow(settings.DropShadow);
    frame.SetShadowWidth(settings.ShadowWidth);
    if (!item.AnimatesOnlyFirstPopup() || item.FirstPopupPending()) {
        frame.SetShowAnimation(settings.ShowAnimation);
        frame.SetShowAnimationTime(settings.ShowAnimationTime);
        (item.Parent() ? item.Parent() : &item)->ClearFirstPopupTree();
    }
}

// Holds the owner's frame still while the popup appears, so that activation changes do not repaint
// it, and paints it afterwards when a paint was held back, however the showing ends.
class TFramePaintHold {
public:
    explicit TFramePaintHold(TKsCustomForm* frame) : frame_(frame)
    {
        if (frame_) frame_->SuspendPainting();
    }
    ~TFramePaintHold()
    {
        if (frame_ && frame_->ResumePainting()) frame_->PaintNonClient();
    }
    TFramePaintHold(const TFramePaintHold&) = delete;
    TFramePaintHold& operator=(const TFramePaintHold&) = delete;

private:
    TKsCustomForm* frame_;
};

// Links the opening view and the item to the popup's view for as long as the popup runs, however
// it ends.
class TChildViewLink {
public:
    TChildViewLink(TKsCustomItem& item, TKsItemView* parent, TKsItemView* child) : item_(item), parent_(parent)
    {
        if (parent_) parent_->SetChildView(child);
        item_.SetPopupView(child);
    }
    ~TChildViewLink()
    {
        if (parent_) parent_->SetChildView(nullptr);
        item_.SetPopupView(nullptr);
    }
    TChildViewLink(const TChildViewLink&) = delete;
    TChildViewLink& operator=(const TChildViewLink&) = delete;

private:
    TKsCustomItem& item_;
    TKsItemView* parent_;
};

} // namespace

TPoint PlacePopup(SIZE size, TPoint at, const TRect& itemRect, bool fromMenuBar, const TRect& area)
{
    int width = size.cx, height = size.cy;
    if (itemRect.IsEmpty()) {
        TPoint p = at;
        if (p.X + width > area.Right) p.X = at.X - width;
        if (p.Y + height > area.Bottom) p.Y = at.Y - height;
        return p;
    }
    TPoint p;
    if (fromMenuBar) {
        p = {itemRect.Left, itemRect.Bottom};
        if (p.X + width > area.Right) p.X = itemRect.Right - width;
        if (p.Y + height > area.Bottom) p.Y = itemRect.Top - height;
    } else {
        p = {itemRect.Right, itemRect.Top};
        if (p.X + width > area.Right) p.X = itemRect.Left - width;
        if (p.Y + height > area.Bottom) p.Y = itemRect.Bottom - height;
    }
    if (p.X + width > area.Right) p.X = area.Right - width;
    if (p.Y + height > area.Bottom) p.Y = area.Bottom - height;
    return p;
}

void ShowItemPopup(TKsCustomItem& item, TKsItemView* parentView, TPoint at, const TRect& itemRect)
{
    if (item.Count() == 0) return;
    if (item.OnBeforeDropDown) {
        item.OnBeforeDropDown(&item);
        if (item.Count() == 0) return;
    }
    std::unique_ptr<TKsPopupWindow> window(item.CreatePopupWindow(parentView));
    window->SetBuiltDpi(PopupDpi(item, parentView, at));
    ApplySettings(item, *window->PopupForm());
    TKsPopupView* view = window->View();
    view->ComputeSize();
    bool fromMenuBar = parentView && parentView->IsMenuBar();
    TPoint place = PlacePopup({window->Width(), window->Height()}, at, itemRect, fromMenuBar, BoundingArea(item));
    window->SetBounds(place.X, place.Y, window->Width(), window->Height());
    // Sized and placed before it exists, the window is made once, at its place.
    window->LoadFrame();
    {
        TFramePaintHold hold(FormFrameOf(item.OwnerControl()));
        window->Show();
        if (item.BringToForeground()) SetForegroundWindow(window->Handle());
    }

    TChildViewLink link(item, parentView, view);
    NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, window->Handle(), OBJID_CLIENT, CHILDID_SELF);
    view->Track();
    NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, window->Handle(), OBJID_CLIENT, CHILDID_SELF);
    // The focus is back on the item the popup was opened from, unless the whole menu closed.
    if (parentView) AnnounceMenuFocus(*parentView);
}

// The item view's geometry, painting and selection moves.
#include "skinwin/KsItems.h"

#include <algorithm>

TKsItemView::TKsItemView(TComponent* owner, TKsViewOrientation orientation, bool menuBar)
    : TComponent(owner), orientation_(orientation), menuBar_(menuBar)
{
}

TKsItemView::~TKsItemView()
{
    *alive_ = false;
    if (parentView_ && parentView_->childView_ == this) parentView_->childView_ = nullptr;
    if (childView_ && childView_->parentView_ == this) childView_->parentView_ = nullptr;
}

void TKsItemView::SetItem(TKsCustomItem* item)
{
    item_ = item;
    selected_ = nullptr;
}

void TKsItemView::SetSelected(TKsCustomItem* item)
{
    if (item == selected_) return;
    selected_ = item;
    Repaint();
}

void TKsItemView::Repaint()
{
    if (control_) control_->Invalidate();
}

TKsBitmap& TKsItemView::MeasureBuffer() const
{
    if (paintBuffer_ && !paintBuffer_->Empty()) return *paintBuffer_;
    if (!measureBuffer_) {
        measureBuffer_ = std::make_unique<TKsBitmap>();
        measureBuffer_->SetSize(1, 1);
    }
    return *measureBuffer_;
}

SIZE TKsItemView::MeasureItem(TKsCustomItem* item) const { return item->Measure(MeasureBuffer(), *this); }

int TKsItemView::WindowFirst() const
{
    if (!item_ || !item_->Scrolled() || item_->ScrollCount() <= 0) return 0;
    return std::clamp(item_->FirstVisibleIndex(), 0, std::max(item_->Count() - 1, 0));
}

int TKsItemView::WindowEnd() const
{
    if (!item_) return 0;
    if (!item_->Scrolled() || item_->ScrollCount() <= 0) return item_->Count();
    return std::min(WindowFirst() + item_->ScrollCount(), item_->Count());
}

SIZE TKsItemView::ComputeSize()
{
    SIZE size{0, 0};
    if (item_) {
        int first = WindowFirst(), end = WindowEnd();
        for (int i = 0; i < item_->Count(); ++i) {
            TKsCustomItem* item = item_->Items(i);
            if (!item->Visible()) continue;
            SIZE itemSize = MeasureItem(item);
            bool inWindow = i >= first && i < end;
            if (orientation_ == voVertical) {
                size.cx = std::max(size.cx, itemSize.cx);
                if (inWindow) size.cy += itemSize.cy;
            } else {
                size.cx += itemSize.cx;
                size.cy = std::max(size.cy, itemSize.cy);
            }
        }
    }
    SizeComputed(size.cx, size.cy);
    return size;
}

TRect TKsItemView::ItemRect(const TKsCustomItem* target) const
{
    int index = item_ ? item_->IndexOf(target) : -1;
    if (index < 0 || !target->Visible()) return {};
    TKsCustomItem* item = item_->Items(index);
    SIZE size = MeasureItem(item);

    if (orientation_ == voHorizontal) {
        TKsItemKind kind = item->Kind();
        if (kind == ikWindowIcon) return {0, 0, size.cx, size.cy};
        if (kind == ikClose || kind == ikRestore || kind == ikMinimize) {
            // The child window's buttons sit at the right end of the bar: close, restore, minimize.
            int slot = kind == ikClose ? 1 : kind == ikRestore ? 2 : 3;
            int right = CoordControl() ? CoordControl()->ClientWidth() : 0;
            int height = CoordControl() ? CoordControl()->ClientHeight() : size.cy;
            return {right - slot * size.cx, 0, right - (slot - 1) * size.cx, height};
        }
        int x = origin_.X;
        for (int i = 0; i < index; ++i) {
            TKsCustomItem* before = item_->Items(i);
            TKsItemKind k = before->Kind();
            if (before->Visible() && k != ikClose && k != ikRestore && k != ikMinimize) x += MeasureItem(before).cx;
        }
        return {x, origin_.Y, x + size.cx, origin_.Y + size.cy};
    }

    // A column as wide as the widest item; items before the scrolling window end above the area,
    // those after it start below it.
    int width = 0;
    for (int i = 0; i < item_->Count(); ++i)
        if (item_->Items(i)->Visible()) width = std::max<int>(width, MeasureItem(item_->Items(i)).cx);
    int first = WindowFirst();
    int y = origin_.Y;
    if (index >= first) {
        for (int i = first; i < index; ++i)
            if (item_->Items(i)->Visible()) y += MeasureItem(item_->Items(i)).cy;
    } else {
        for (int i = index; i < first; ++i)
            if (item_->Items(i)->Visible()) y -= MeasureItem(item_->Items(i)).cy;
    }
    return {origin_.X, y, origin_.X + width, y + size.cy};
}

TKsCustomItem* TKsItemView::ItemAtScreen(TPoint screenPoint) const
{
    TControl* coordinates = CoordControl();
    if (!item_ || !coordinates || !control_ || !control_->HandleAllocated()) return nullptr;
    // Only a point on this view's own window counts: a popup may lie over the items of another.
    HWND under = WindowFromPoint(POINT{screenPoint.X, screenPoint.Y});
    if (under != control_->Handle()) return nullptr;
    TPoint p = coordinates->ScreenToClient(screenPoint);
    int first = WindowFirst(), end = WindowEnd();
    for (int i = 0; i < item_->Count(); ++i) {
        TKsCustomItem* item = item_->Items(i);
        if (!item->Visible() || item->IsSeparator()) continue;
        if (orientation_ == voVertical && (i < first || i >= end)) continue;
        if (ItemRect(item).Contains(p)) return item;
    }
    return nullptr;
}

bool TKsItemView::Hit(TPoint screenPoint)
{
    TKsCustomItem* item = ItemAtScreen(screenPoint);
    if (!item && tracking_) return false;
    if (item == selected_) return false;
    SetSelected(item);
    return true;
}

void TKsItemView::PaintItems(TKsBitmap& buffer)
{
    if (!item_) return;
    int first = WindowFirst(), end = WindowEnd();
    for (int i = 0; i < item_->Count(); ++i) {
        TKsCustomItem* item = item_->Items(i);
        if (!item->Visible()) continue;
        if (orientation_ == voVertical && (i < first || i >= end)) continue;
        item->Paint(buffer, *this, !tracking_, item == selected_, ItemRect(item));
    }
}

bool TKsItemView::Selectable(int index) const
{
    TKsCustomItem* item = item_->Items(index);
    return item->Visible() && !item->IsSeparator();
}

void TKsItemView::SelectNext() { Step(true); }

void TKsItemView::SelectPrevious() { Step(false); }

void TKsItemView::Step(bool forward)
{
    int count = item_ ? item_->Count() : 0;
    if (count == 0) return;
    int index = item_->IndexOf(selected_);
    if (index < 0) index = forward ? count - 1 : 0;
    // One full turn at most: a list without a selectable item keeps its selection.
    bool wrappedToLast = false;
    int step = 0;
    for (; step < count; ++step) {
        if (!forward && index == 0) wrappedToLast = true;
        index = forward ? (index + 1) % count : (index + count - 1) % count;
        if (Selectable(index)) break;
    }
    if (step == count) return;
    ScrollTo(index, wrappedToLast);
    selected_ = item_->Items(index);
    Repaint();
    if (dropped_) OpenSelectedPopup();
}

void TKsItemView::ScrollTo(int index, bool wrappedToLast)
{
    if (orientation_ != voVertical || !item_->Scrolled() || item_->ScrollCount() <= 0) return;
    int count = item_->Count();
    int window = item_->ScrollCount();
    int first = WindowFirst();
    if (index == 0)
        first = 0;
    else if (wrappedToLast)
        first = count - window;
    if (index >= first + window)
        first = index - window + 1;
    else if (index < first)
        first = index;
    // A window longer than the list starts at the top.
    item_->SetFirstVisibleIndex(std::clamp(first, 0, std::max(count - window, 0)));
}

void TKsItemView::EndChainTracking()
{
    for (TKsItemView* view = this; view; view = view->parentView_) {
        view->selected_ = nullptr;
        view->dropped_ = false;
        view->tracking_ = false;
        view->Repaint();
    }
}

#include "skinctl/KsListBoxs.h"

#include "framework/MouseCapture.h"

#include <algorithm>

int WheelNotchLines()
{
    UINT lines = 3;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return 3;
    if (lines == WHEEL_PAGESCROLL || lines > WHEEL_DELTA) return 0;
    return std::max(static_cast<int>(lines), 1);
}

int WheelSteps(int delta, int pageSize)
{
    int lines = WheelNotchLines();
    if (lines == 0) return delta / WHEEL_DELTA * pageSize;
    return delta / (WHEEL_DELTA / lines);
}

bool TKsCustomListBox::HitTest(int x, int y)
{
    int item = -1;
    int checkBox = -1;
    TPoint p{x, y};
    int box = kCheckBoxSize;
    layout_.ForEachShown(LayoutInput(), TopIndex(), [&](const TKsItemPlace& place) {
        if (showCheckBoxes_) {
            TRect cell = place.CheckCell;
            TRect boxRect = TRect::FromSize(cell.Left + (cell.Width() - box) / 2, cell.Top + (cell.Height() - box) / 2,
                                            box, box);
            if (boxRect.Contains(p)) {
                checkBox = place.Index;
                return false;
            }
        }
        if (place.Item.Contains(p)) {
            item = place.Index;
            return false;
        }
        return true;
    });
    bool changed = item != hotItem_ || checkBox != hotCheckBox_;
    hotItem_ = item;
    hotCheckBox_ = checkBox;
    return changed;
}

void TKsCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus() && !Focused()) SetFocus();
    if (button != mbLeft) return;
    mouseSelecting_ = true;
    CaptureMouse(Handle());
    lastX_ = x;
    lastY_ = y;
    HitTest(x, y);
    // The item index moves first; the selection then follows Shift and Ctrl.
    if (hotCheckBox_ >= 0) {
        MoveItemIndex(hotCheckBox_);
        CycleCheck(hotCheckBox_);
    } else if (hotItem_ >= 0) {
        MoveItemIndex(hotItem_);
    }
    if (!(shift & ssShift)) selection_.SetAnchor(selection_.ItemIndex());
    if ((shift & ssCtrl) && MultiSelect()) {
        selection_.Toggle(selection_.ItemIndex());
        Invalidate();
    } else {
        ApplySelection();
    }
    TKsCustomControl::MouseDown(button, shift, x, y);
}

void TKsCustomListBox::MouseMove(TShiftState shift, int x, int y)
{
    lastX_ = x;
    lastY_ = y;
    if (HitTest(x, y)) {
        Invalidate();
        Update();
    }
    TRect content = ContentRect();
    bool before = columns_ > 0 ? x < content.Left : y < content.Top;
    bool after = columns_ > 0 ? x >= content.Right : y >= content.Bottom;
    // The list scrolls by itself only while a press that began in it is held.
    bool dragging = mouseSelecting_ && (shift & ssLeft);
    if (dragging && before) {
        scrollBar_->SetAutoRepeatUp(true);
    } else if (dragging && after) {
        scrollBar_->SetAutoRepeatDown(true);
    } else {
        StopAutoRepeat();
        bool select = (dragging && !(shift & ssCtrl)) || (followMouse_ && !(shift & ssLeft));
        if (select && hotItem_ >= 0 && hotItem_ != selection_.ItemIndex()) {
            if (followMouse_ && !dragging) selection_.SetAnchor(hotItem_);
            SetItemIndex(hotItem_);
        }
    }
    TKsCustomControl::MouseMove(shift, x, y);
}

void TKsCustomListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    bool clicked = button == mbLeft && mouseSelecting_ && TRect(0, 0, Width(), Height()).Contains({x, y});
    if (button == mbLeft) EndMouseSelecting();
    TKsCustomControl::MouseUp(button, shift, x, y);
    if (clicked) Click();
}

void TKsCustomListBox::EndMouseSelecting()
{
    StopAutoRepeat();
    if (!mouseSelecting_) return;
    mouseSelecting_ = false;
    ReleaseMouse();
}

void TKsCustomListBox::StopAutoRepeat()
{
    scrollBar_->SetAutoRepeatUp(false);
    scrollBar_->SetAutoRepeatDown(false);
}

void TKsCustomListBox::MouseLeave()
{
    // While a press is held the pointer may leave: the list keeps scrolling until the release.
    if (!mouseSelecting_) StopAutoRepeat();
    bool wasHot = hotItem_ >= 0 || hotCheckBox_ >= 0;
    lastX_ = lastY_ = -1;
    hotItem_ = hotCheckBox_ = -1;
    if (wasHot) Invalidate();
    TKsCustomControl::MouseLeave();
}

bool TKsCustomListBox::MouseWheel(TShiftState shift, int delta, TPoint screenPoint)
{
    scrollBar_->SetPosition(std::min(TopIndex() - WheelSteps(delta, PageItems()), layout_.TopLimit()));
    return true;
}

void TKsCustomListBox::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown) OnKeyDown(key, shift);
    if (key == 0) return;
    TKsCustomControl::KeyDown(key, shift);
    int old = selection_.ItemIndex();
    switch (key) {
    case VK_RETURN:
    case VK_SPACE:
        CycleCheck(old);
        key = 0;
        return;
    case VK_PRIOR:
        MoveItemIndex(old - PageItems() + 1);
        break;
    case VK_NEXT:
        MoveItemIndex(old + PageItems() - 1);
        break;
    case VK_END:
        MoveItemIndex(items_.Count() - 1);
        break;
    case VK_HOME:
        MoveItemIndex(0);
        break;
    case VK_LEFT:
    case VK_UP:
        MoveItemIndex(old - 1);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        MoveItemIndex(old + 1);
        break;
    default:
        return;
    }
    key = 0;
    if (selection_.ItemIndex() < 0 && items_.Count() > 0) MoveItemIndex(0);
    // The selection is applied (and painted) once, after the anchor followed the key.
    if (!(shift & ssShift)) selection_.SetAnchor(selection_.ItemIndex());
    ApplySelection();
    if (selection_.ItemIndex() != old && clickOnKeyMove_) Click();
}

void TKsCustomListBox::DoEnter()
{
    TKsCustomControl::DoEnter();
    ApplySelection();
}

void TKsCustomListBox::DoExit()
{
    EndMouseSelecting();
    TKsCustomControl::DoExit();
    ApplySelection();
}

void TKsCustomListBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        paintPending_ = false;
        break;
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_CAPTURECHANGED:
        // Losing the mouse in the middle of a press ends it, so nothing keeps scrolling.
        if (reinterpret_cast<HWND>(message.LParam) != Handle()) EndMouseSelecting();
        break;
    case CM_FONTCHANGED:
        TKsCustomControl::WndProc(message);
        LayoutScrollBar();
        Invalidate();
        return;
    default:
        break;
    }
    TKsCustomControl::WndProc(message);
}

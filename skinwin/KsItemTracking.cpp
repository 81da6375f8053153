// The item view's modal tracking loop: the mouse and keyboard rules of menus.
#include "skinwin/KsItems.h"

#include "framework/Application.h"
#include "framework/Messages.h"
#include "framework/MouseCapture.h"
#include "skinwin/KsMenuForm.h"

#include <windowsx.h>

#include <climits>

namespace {

// The last pointer position a tracking loop acted on, shared by all of them: a popup that opens
// under a resting pointer must not take that position for a move.
TPoint lastMousePoint{INT_MIN, INT_MIN};

bool IsNonClientButton(UINT msg) { return msg >= WM_NCLBUTTONDOWN && msg <= WM_NCMBUTTONDBLCLK; }

bool IsKeyboardMessage(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_SYSDEADCHAR; }

// Mouse messages carry client coordinates of the window they are for (the capture holder).
TPoint ScreenPoint(const MSG& msg)
{
    POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.hwnd) ClientToScreen(msg.hwnd, &p);
    return {p.x, p.y};
}

void PostKey(TWinControl* control, WPARAM key)
{
    if (control && control->HandleAllocated()) PostMessageW(control->Handle(), WM_KEYDOWN, key, 0);
}

} // namespace

// One run of a view's loop. It acts on the view only while the view lives: dispatching a
// message may free it.
class TKsItemView::TTrackingLoop {
public:
    explicit TTrackingLoop(TKsItemView& view) : view_(view), alive_(view.alive_) {}
    void Run(TKsCustomItem* choose);

private:
    enum TNext { nxContinue, nxLeave };

    bool Tracking() const { return *alive_ && view_.tracking_; }
    TNext Inspect(MSG& msg, bool& consumed);
    TNext Handle(MSG& msg);
    TNext MouseMove(TPoint point);
    TNext KeyDown(MSG& msg);
    TNext Character(wchar_t key);
    bool OnSelectedItem(const TKsItemView& view, TPoint point) const;
    bool OnSelectedItemOfParents(TPoint point) const;

    TKsItemView& view_;
    std::shared_ptr<bool> alive_;
};

void TKsItemView::Track(TKsCustomItem* choose)
{
    if (!control_ || Application->Terminated()) return;
    TTrackingLoop(*this).Run(choose);
}

void TKsItemView::TTrackingLoop::Run(TKsCustomItem* choose)
{
    TKsItemView& view = view_;
    view.tracking_ = true;
    view.dropped_ = false;
    view.selected_ = nullptr;
    if (choose) {
        view.selected_ = choose;
        PostKey(view.control_, VK_RETURN);
    } else if (view.item_ && view.item_->Count() > 0) {
        view.Step(true);
        POINT cursor;
        GetCursorPos(&cursor);
        if (TKsCustomItem* under = view.ItemAtScreen({cursor.x, cursor.y})) view.selected_ = under;
    }
    view.Repaint();

    HWND window = view.control_->Handle();
    CaptureMouse(window);
    HWND holder = GetCapture();
    struct TCleanup {
        TTrackingLoop& loop;
        ~TCleanup()
        {
            if (*loop.alive_) loop.view_.tracking_ = false;
            ReleaseMouse();
        }
    } cleanup{*this};

    bool firstPass = true;
    while (Tracking() && GetCapture() == holder) {
        if (!firstPass) WaitMessage();
        firstPass = false;
        MSG msg;
        while (Tracking() && PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            bool consumed = false;
            if (Inspect(msg, consumed) == nxLeave) return;
            if (consumed) continue;
            if (!PeekMessageW(&msg, nullptr, msg.message, msg.message, PM_REMOVE)) continue;
            if (Handle(msg) == nxLeave) return;
        }
    }
}

// A look at the next message before it is taken: what ends the menu stays queued for the loops
// outside and for the window it is meant for, so a click outside both closes the menu and arrives.
TKsItemView::TTrackingLoop::TNext TKsItemView::TTrackingLoop::Inspect(MSG& msg, bool& consumed)
{
    if (msg.message == WM_QUIT || IsNonClientButton(msg.message)) {
        view_.EndChainTracking();
        return nxLeave;
    }
    if (msg.message != WM_LBUTTONDOWN) return nxContinue;
    TPoint point = ScreenPoint(msg);
    if (OnSelectedItem(view_, point)) {
        PostKey(view_.control_, VK_RETURN);
    } else if (OnSelectedItemOfParents(point)) {
        PeekMessageW(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE);
        consumed = true;
    } else {
        view_.EndChainTracking();
        return nxLeave;
    }
    return nxContinue;
}

TKsItemView::TTrackingLoop::TNext TKsItemView::TTrackingLoop::Handle(MSG& msg)
{
    // Left over for a popup window that has closed meanwhile.
    if (msg.hwnd && !IsWindow(msg.hwnd)) return nxContinue;
    if (msg.message == WM_CONTEXTMENU) return nxContinue;
    if (msg.message == WM_MOUSEMOVE) return MouseMove(ScreenPoint(msg));
    if (msg.message == WM_LBUTTONUP) {
        TPoint point = ScreenPoint(msg);
        if (OnSelectedItem(view_, point)) {
            PostKey(view_.control_, VK_RETURN);
        } else if (!OnSelectedItemOfParents(point)) {
            view_.EndChainTracking();
            return nxLeave;
        }
        return nxContinue;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL) return nxContinue;
    if (msg.message == CM_OPENPOPUP) {
        view_.OpenSelectedPopup();
        return nxContinue;
    }
    if (IsKeyboardMessage(msg.message)) {
        if (GetKeyState(VK_LBUTTON) < 0) return nxContinue;
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) return KeyDown(msg);
        if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) return Character(static_cast<wchar_t>(msg.wParam));
        return nxContinue;
    }
    DispatchMessageW(&msg);
    return nxContinue;
}

TKsItemView::TTrackingLoop::TNext TKsItemView::TTrackingLoop::MouseMove(TPoint point)
{
    if (point == lastMousePoint) return nxContinue;
    lastMousePoint = point;
    TKsItemView* outer = &view_;
    while (outer->parentView_) outer = outer->parentView_;
    // From the bar (or first popup) inward: a new selection in an outer view closes the popups
    // opened after it, and that view opens the popup of its new selection.
    for (TKsItemView* view = outer; view; view = view->childView_) {
        bool changed = view->Hit(point);
        if (view == &view_) break;
        if (!changed) continue;
        for (TKsItemView* between = view_.parentView_; between && between != view; between = between->parentView_)
            PostKey(between->control_, VK_ESCAPE);
        if (view->control_ && view->control_->HandleAllocated())
            PostMessageW(view->control_->Handle(), CM_OPENPOPUP, 0, 0);
        return nxLeave;
    }
    // Sub-menus open as soon as the pointer rests on their item.
    if (!view_.menuBar_ && OnSelectedItem(view_, point)) view_.OpenSelectedPopup();
    return *alive_ ? nxContinue : nxLeave;
}

TKsItemView::TTrackingLoop::TNext TKsItemView::TTrackingLoop::KeyDown(MSG& msg)
{
    TKsItemView& view = view_;
    TKsItemView* parent = view.parentView_;
    WPARAM key = msg.wParam;
    bool forward = key == VK_RIGHT || key == VK_DOWN;
    switch (key) {
    case VK_TAB:
    case VK_SPACE:
        return nxContinue;
    case VK_RETURN: {
        TKsCustomItem* item = view.selected_;
        if (!item) return nxContinue;
        item->Click();
        bool opened = view.OpenSelectedPopup();
        if (!*alive_) return nxLeave;
        if (!opened && item->Enabled() && !item->IsSeparator()) {
            view.EndChainTracking();
            return nxLeave;
        }
        return nxContinue;
    }
    case VK_MENU:
        // Alt still held down after Alt+letter repeats its key; only a new press closes the menu.
        if (msg.lParam & (1L << 30)) return nxContinue;
        [[fallthrough]];
    case VK_F10:
        view.EndChainTracking();
        return nxLeave;
    case VK_ESCAPE:
        if (parent) parent->dropped_ = false;
        view.selected_ = nullptr;
        view.Repaint();
        return nxLeave;
    case VK_LEFT:
    case VK_RIGHT:
        if (view.menuBar_) {
            view.Step(forward);
            return *alive_ ? nxContinue : nxLeave;
        }
        if (parent && parent->menuBar_) {
            PostKey(parent->control_, key);
            return nxLeave;
        }
        if (parent) PostKey(view.control_, VK_ESCAPE);
        return nxContinue;
    case VK_UP:
    case VK_DOWN:
        if (view.menuBar_) {
            if (key == VK_DOWN) view.OpenSelectedPopup();
        } else {
            view.Step(forward);
        }
        return *alive_ ? nxContinue : nxLeave;
    default:
        TranslateMessage(&msg);
        return nxContinue;
    }
}

TKsItemView::TTrackingLoop::TNext TKsItemView::TTrackingLoop::Character(wchar_t key)
{
    TKsItemView& view = view_;
    TKsCustomItem* item = view.item_ ? view.item_->FindByAccelerator(key) : nullptr;
    // A character that is no item's accelerator changes nothing.
    if (!item) return nxContinue;
    view.ScrollTo(view.item_->IndexOf(item), false);
    view.selected_ = item;
    view.Repaint();
    PostKey(view.control_, VK_RETURN);
    return nxContinue;
}

bool TKsItemView::TTrackingLoop::OnSelectedItem(const TKsItemView& view, TPoint point) const
{
    return view.selected_ && view.ItemAtScreen(point) == view.selected_;
}

bool TKsItemView::TTrackingLoop::OnSelectedItemOfParents(TPoint point) const
{
    for (TKsItemView* view = view_.parentView_; view; view = view->parentView_)
        if (OnSelectedItem(*view, point)) return true;
    return false;
}

bool TKsItemView::OpenSelectedPopup()
{
    TKsCustomItem* item = selected_;
    if (!item || !item->Enabled() || item->Count() == 0 || !CoordControl()) return false;
    TRect rect = ItemRect(item);
    TPoint topLeft = CoordControl()->ClientToScreen({rect.Left, rect.Top});
    TRect screenRect = rect.Offset(topLeft.X - rect.Left, topLeft.Y - rect.Top);
    TPoint at = menuBar_ ? TPoint{screenRect.Left, screenRect.Bottom} : TPoint{screenRect.Right, screenRect.Top};
    dropped_ = true;
    ShowItemPopup(*item, this, at, screenRect);
    return true;
}

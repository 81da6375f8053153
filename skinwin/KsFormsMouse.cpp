#include "skinwin/KsForms.h"

#include "framework/Screen.h"

#include <windowsx.h>

#include <cstdlib>
#include <functional>

namespace {

bool IsDragPart(TKsFramePart part) { return part >= fpCaption && part <= fpBottomRight; }

bool MovesLeft(TKsFramePart part) { return part == fpLeft || part == fpTopLeft || part == fpBottomLeft; }
bool MovesRight(TKsFramePart part) { return part == fpRight || part == fpTopRight || part == fpBottomRight; }
bool MovesTop(TKsFramePart part) { return part == fpTop || part == fpTopLeft || part == fpTopRight; }
bool MovesBottom(TKsFramePart part) { return part == fpBottom || part == fpBottomLeft || part == fpBottomRight; }

// GetDCEx / ReleaseDC: a drawing context of a window's client area that children do not clip, or
// of the whole screen.
class TCacheDC {
public:
    explicit TCacheDC(HWND window)
        : window_(window), dc_(GetDCEx(window, nullptr, window ? DCX_CACHE : DCX_CACHE | DCX_WINDOW))
    {
    }
    TCacheDC(const TCacheDC&) = delete;
    TCacheDC& operator=(const TCacheDC&) = delete;
    ~TCacheDC()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A 2-pixel white exclusive-or frame on the window (the screen when none), over its children too:
// drawn twice at the same place, it is gone.
void XorFrame(HWND window, const TRect& rect)
{
    TCacheDC target(window);
    HDC dc = target.Get();
    TPenHandle pen(CreatePen(PS_INSIDEFRAME, 2, RGB(255, 255, 255)));
    TSelectObject selectPen(dc, pen.Get());
    TSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
    int mode = SetROP2(dc, R2_XORPEN);
    Rectangle(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    SetROP2(dc, mode);
}

TPoint ScreenToWindow(HWND window, TPoint screen)
{
    RECT r;
    GetWindowRect(window, &r);
    return {screen.X - r.left, screen.Y - r.top};
}

} // namespace

void TKsCustomForm::NonClientMouse(TMessage& message)
{
    HWND window = FormWindow();
    // The platform menu bar handles its own clicks.
    if (message.WParam == HTMENU || !window) return;
    TPoint point = ScreenToWindow(window, {GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
    auto takeFocus = [&] {
        if (!frameActive_) SetFocus(window);
    };
    // Consumed before anything runs: a frame operation may free the form and this frame with it.
    MarkHandled();
    message.Result = 0;
    switch (message.Msg) {
    case WM_NCLBUTTONDOWN:
        takeFocus();
        shift_ = ssLeft;
        FrameMouseDown(mbLeft, shift_, point);
        break;
    case WM_NCLBUTTONUP:
        shift_ = 0;
        FrameMouseUp(mbLeft, shift_, point);
        break;
    case WM_NCLBUTTONDBLCLK:
        shift_ = 0;
        FrameMouseDown(mbLeft, ssLeft | ssDouble, point);
        FrameMouseUp(mbLeft, ssLeft | ssDouble, point);
        message.Result = 1;
        break;
    case WM_NCRBUTTONDOWN:
        takeFocus();
        shift_ = ssRight;
        FrameMouseDown(mbRight, shift_, point);
        break;
    case WM_NCRBUTTONUP:
        shift_ = 0;
        FrameMouseUp(mbRight, shift_, point);
        break;
    default:
        FrameMouseMove(shift_, point);
        break;
    }
}

// While the frame holds the mouse after a press on it, the moves and the release arrive as client
// messages.
void TKsCustomForm::TrackedMouse(TMessage& message)
{
    HWND window = FormWindow();
    if (!window || !(shift_ & ssLeft)) return;
    POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    ClientToScreen(window, &screen);
    TPoint point = ScreenToWindow(window, {screen.x, screen.y});
    if (message.Msg == WM_MOUSEMOVE) {
        FrameMouseMove(shift_, point);
    } else {
        shift_ = 0;
        FrameMouseUp(mbLeft, shift_, point);
    }
}

void TKsCustomForm::FrameMouseDown(TMouseButton button, TShiftState shift, TPoint point)
{
    if (button != mbLeft) return;
    pressedPart_ = HitTest(point);
    downPoint_ = lastPoint_ = point;
    PaintNonClient();
    if (IsDragPart(pressedPart_)) {
        dragging_ = true;
        outline_.reset();
        outlineMode_ = simpleDrag_;
    }
    if (HWND window = FormWindow()) SetCapture(window);
}

void TKsCustomForm::FrameMouseMove(TShiftState shift, TPoint point)
{
    if (!(shift & ssLeft) || !dragging_) {
        bool pressedLookBefore = ButtonPressed(pressedPart_);
        lastPoint_ = point;
        // The skin's system-menu button answers as a system button; it is the icon all the same.
        if (HitTest(point) == fpSysMenu || CaptionButtonRect(kbiSystemMenu).Contains(point))
            if (TCustomForm* form = Form()) form->SetHint(L"System Menu");
        if (pressedPart_ != fpClient && ButtonPressed(pressedPart_) != pressedLookBefore) PaintNonClient();
        return;
    }
    DragTo(point);
    lastPoint_ = point;
}

void TKsCustomForm::DragTo(TPoint point)
{
    TRect bounds = FormRect();
    TRect target = bounds;
    const bool sizing = canResize_ && states_.State() == kwsNormal;
    if (pressedPart_ == fpCaption) {
        if (canMove_ && states_.State() != kwsMaximized) {
            target = bounds.Offset(point.X - downPoint_.X, point.Y - downPoint_.Y);
            if (magnetic_) target = SnapToWorkArea(target);
        }
    } else if (sizing) {
        SIZE minimum = MinimumSize();
        // Left and top move the window under the pointer, so they count from the press; right and
        // bottom count from the last move, unless the window stays put while an outline is drawn.
        const TPoint& from = simpleDrag_ ? downPoint_ : lastPoint_;
        if (MovesLeft(pressedPart_)) {
            target.Left += point.X - downPoint_.X;
            if (target.Right - minimum.cx < target.Left) target.Left = target.Right - minimum.cx;
        }
        if (MovesTop(pressedPart_)) {
            target.Top += point.Y - downPoint_.Y;
            if (target.Bottom - minimum.cy < target.Top) target.Top = target.Bottom - minimum.cy;
        }
        if (MovesRight(pressedPart_)) target.Right += point.X - from.X;
        if (MovesBottom(pressedPart_)) target.Bottom += point.Y - from.Y;
    }
    if (outlineMode_) {
        DrawOutline(target);
        return;
    }
    if (target != bounds) SetFormBounds(target);
    PaintNonClient();
}

TRect TKsCustomForm::SnapToWorkArea(const TRect& bounds) const
{
    TRect tested = bounds;
    if (dropShadow_) {
        tested.Right -= ShadowExtent();
        tested.Bottom -= ShadowExtent();
    }
    const int distance = ScaleByDpi(magneticValue_, FrameDpi());
    // A child snaps to its parent's client area.
    const TRect area = MDIChild() ? ParentClientArea() : Screen->WorkAreaRect();
    TRect snapped = bounds;
    int d = tested.Left - area.Left;
    if (std::abs(d) < distance) {
        snapped = snapped.Offset(-d, 0);
    } else {
        d = tested.Right - area.Right;
        if (std::abs(d) < distance) snapped = snapped.Offset(-d, 0);
    }
    d = tested.Top - area.Top;
    if (std::abs(d) < distance) {
        snapped = snapped.Offset(0, -d);
    } else {
        d = tested.Bottom - area.Bottom;
        if (std::abs(d) < distance) snapped = snapped.Offset(0, -d);
    }
    return snapped;
}

void TKsCustomForm::DrawOutline(const TRect& rect)
{
    if (states_.State() == kwsMaximized) return;
    // A child's outline stays on its parent's client window.
    HWND target = MDIChild() ? ParentClientWindow() : nullptr;
    if (outline_) XorFrame(target, *outline_);
    XorFrame(target, rect);
    outline_ = rect;
}

void TKsCustomForm::EndDrag(bool replay)
{
    if (outlineMode_) {
        std::optional<TRect> last = outline_;
        if (last) XorFrame(MDIChild() ? ParentClientWindow() : nullptr, *last);
        outline_.reset();
        outlineMode_ = false;
        // The outline's rectangle becomes the window's, as the last move would have made it live.
        if (replay && last) SetFormBounds(*last);
        PaintNonClient();
        if (TCustomForm* form = Form()) form->Invalidate();
    } else {
        PaintNonClient();
    }
    outline_.reset();
    dragging_ = false;
}

bool TKsCustomForm::ButtonPressed(TKsFramePart part)
{
    return part >= fpClose && part <= fpSysMenu && pressedPart_ == part && HitTest(lastPoint_) == part;
}

void TKsCustomForm::FrameMouseUp(TMouseButton button, TShiftState shift, TPoint point)
{
    HWND window = FormWindow();
    if (button == mbRight) {
        if (HitTest(point) == fpCaption && window) {
            RECT r;
            GetWindowRect(window, &r);
            popupPoint_ = TPoint{r.left + point.X, r.top + point.Y};
            ShowSystemMenu();
            popupPoint_.reset();
        }
        return;
    }
    if (button != mbLeft) return;
    if (window && GetCapture() == window) ReleaseCapture();
    const TKsFramePart pressed = pressedPart_;
    std::function<void()> action;
    if (shift & ssDouble) {
        if (borderIcons_.Contains(kbiMaximize) && pressed == fpCaption)
            action = [this] { states_.State() == kwsMinimized ? Restore() : Maximize(); };
        else if (pressed == fpSysMenu)
            action = [this] { Close(); };
    } else if (HitTest(point) == pressed) {
        switch (pressed) {
        case fpClose:
            action = [this] { Close(); };
            break;
        case fpHelp:
            action = [this] { ContextHelp(); };
            break;
        case fpMinimize:
            action = [this] { Minimize(); };
            break;
        case fpMaximize:
            action = [this] { Maximize(); };
            break;
        case fpRollup:
            action = [this] { RollUp(); };
            break;
        case fpTray:
            action = [this] { MinimizeToTray(); };
            break;
        case fpSysMenu:
            action = [this] { ShowSystemMenu(); };
            break;
        default:
            break;
        }
    }
    // The tracking ends before the action runs: closing may free the form and this frame with it.
    pressedPart_ = fpClient;
    lastPoint_ = point;
    EndDrag(!(shift & ssDouble) && dragging_);
    if (action) action();
}

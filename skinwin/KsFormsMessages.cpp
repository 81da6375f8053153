#include "skinwin/KsForms.h"

#include "skinwin/KsMenus.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

// The frame's handling of the form's window messages, before and after the form's own procedure.

namespace {

bool IsNonClientMessage(UINT msg)
{
    switch (msg) {
    case WM_NCCALCSIZE:
    case WM_NCHITTEST:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
        return true;
    default:
        return false;
    }
}

} // namespace

void TKsCustomForm::BeforeMessage(TMessage& message)
{
    HWND window = FormWindow();
    // A minimized window is the platform's icon: the platform draws it and handles its mouse, so that
    // the window can be restored from there.
    if (window && IsIconic(window) && IsNonClientMessage(message.Msg)) {
        if (message.Msg == WM_NCACTIVATE) frameActive_ = message.WParam != 0;
        return;
    }
    switch (message.Msg) {
    case WM_CONTEXTMENU:
        // A right click on that icon asks for the window's menu, which is ours, at the click.
        if (window && IsIconic(window) && reinterpret_cast<HWND>(message.WParam) == window && message.LParam != -1) {
            MarkHandled();
            popupPoint_ = TPoint{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
            ShowSystemMenu();
            popupPoint_.reset();
        }
        return;
    case WM_ACTIVATE:
        // The platform minimized the window (from the task bar): the frame follows.
        if (!frameActive_ && HIWORD(message.WParam)) states_.PlatformMinimized(FormRect());
        return;
    case WM_PAINT:
        MarkHandled();
        PaintMessage(message);
        return;
    case WM_ERASEBKGND:
        MarkHandled();
        EraseMessage(message);
        return;
    case WM_WINDOWPOSCHANGING:
        MarkHandled();
        PositionChanging(message);
        return;
    case WM_NCCALCSIZE:
        MarkHandled();
        CalcSizeMessage(message);
        return;
    case WM_NCHITTEST:
        MarkHandled();
        HitTestMessage(message);
        return;
    case WM_NCPAINT:
        MarkHandled();
        PaintNonClient();
        message.Result = 0;
        return;
    case WM_NCACTIVATE:
        // The platform keeps track of a child's activation; the frame is painted afterwards.
        if (MDIChild() && message.WParam) {
            frameActive_ = true;
            FrameActivated(true);
            message.Result = 0;
            return;
        }
        MarkHandled();
        ActivateMessage(message);
        return;
    case WM_MDIACTIVATE:
        MDIActivate(reinterpret_cast<HWND>(message.LParam));
        return;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
        NonClientMouse(message);
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        TrackedMouse(message);
        return;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(message.LParam) != window && (shift_ & ssLeft)) {
            shift_ = 0;
            pressedPart_ = fpClient;
            EndDrag(false);
        }
        return;
    case WM_SETTEXT:
        // The platform paints its own caption over ours when the text changes and the window
        // has a caption style; the style is back as soon as the text is in.
        if (window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
            SetWindowLongPtrW(window, GWL_STYLE,
                              GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CAPTION));
            captionStripped_ = true;
        }
        return;
    case WM_SYSCOMMAND:
        SystemCommand(message);
        return;
    case CM_FRAMESTYLE:
        if (message.WParam == 13 && window)
            SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_CAPTION);
        MarkHandled();
        PaintNonClient();
        return;
    case CM_FRAMEMAXIMIZE:
        MarkHandled();
        Maximize();
        return;
    case CM_FRAMESTATE:
        MarkHandled();
        switch (message.WParam) {
        case 1:
            Maximize();
            break;
        case 2:
            Minimize();
            break;
        case 3:
            RollUp();
            break;
        case 4:
            MinimizeToTray();
            break;
        default:
            break;
        }
        return;
    case CM_FORMBLENDED:
        MarkHandled();
        message.Result = blend_ ? 1 : 0;
        return;
    case CM_PAINTFRAMETO:
        PaintToMessage(message);
        return;
    case CM_DPICHANGED:
        // The plain look's lengths and the shadow are measured at the form's new DPI.
        UpdateLayout();
        return;
    default:
        return;
    }
}

void TKsCustomForm::AfterMessage(TMessage& message)
{
    HWND window = FormWindow();
    switch (message.Msg) {
    case WM_GETTEXT: {
        wchar_t buffer[1024];
        int length = InternalGetWindowText(window, buffer, static_cast<int>(std::size(buffer)));
        std::wstring caption(buffer, std::max(length, 0));
        if (captionSeen_ && caption == lastCaption_) return;
        captionSeen_ = true;
        lastCaption_ = caption;
        SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CAPTION));
        PostMessageW(window, CM_FRAMESTYLE, 13, 0);
        return;
    }
    case WM_SETTEXT:
        if (captionStripped_) {
            captionStripped_ = false;
            SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_CAPTION);
        }
        PaintNonClient();
        if (MaximizedMDIChild()) UpdateParentCaption();
        return;
    case WM_NCACTIVATE:
        if (MDIChild()) PaintNonClient();
        return;
    case WM_SHOWWINDOW:
        if (MDIChild()) UpdateMDIState();
        return;
    case WM_SIZE:
        if (states_.AwaitsPlatformRestore() && message.WParam != SIZE_MINIMIZED && !IsIconic(window))
            CarryOut(states_.PlatformRestored());
        return;
    default:
        return;
    }
}

void TKsCustomForm::CalcSizeMessage(TMessage& message)
{
    RECT* proposed = message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                                    : reinterpret_cast<RECT*>(message.LParam);
    int width = proposed->right - proposed->left;
    int height = proposed->bottom - proposed->top;
    if (width != fullSize_.cx || height != fullSize_.cy) StoreSize(width, height);
    TRect client = ClientRect();
    RECT result;
    result.left = proposed->left + client.Left;
    result.top = proposed->top + client.Top;
    result.right = std::max(proposed->right - (fullSize_.cx - client.Right), result.left);
    result.bottom = std::max(proposed->bottom - (fullSize_.cy - client.Bottom), result.top);
    *proposed = result;
    message.Result = 0;
}

void TKsCustomForm::HitTestMessage(TMessage& message)
{
    // A maximized child is all client area.
    if (MaximizedMDIChild()) {
        message.Result = HTCLIENT;
        return;
    }
    TRect bounds = WindowScreenRect();
    TPoint point{GET_X_LPARAM(message.LParam) - bounds.Left, GET_Y_LPARAM(message.LParam) - bounds.Top};
    bool sizing = canResize_ && states_.State() != kwsMaximized;
    LRESULT result = HTCLIENT;
    switch (HitTest(point)) {
    case fpCaption:
        if (canMove_) result = HTCAPTION;
        break;
    case fpLeft:
        if (sizing) result = HTLEFT;
        break;
    case fpTop:
        if (sizing) result = HTTOP;
        break;
    case fpRight:
        if (sizing) result = HTRIGHT;
        break;
    case fpBottom:
        if (sizing) result = HTBOTTOM;
        break;
    case fpTopLeft:
        if (sizing) result = HTTOPLEFT;
        break;
    case fpTopRight:
        if (sizing) result = HTTOPRIGHT;
        break;
    case fpBottomLeft:
        if (sizing) result = HTBOTTOMLEFT;
        break;
    case fpBottomRight:
        if (sizing) result = HTBOTTOMRIGHT;
        break;
    case fpBorder:
        result = HTBORDER;
        break;
    case fpClose:
        result = HTCLOSE;
        break;
    case fpHelp:
        result = HTHELP;
        break;
    case fpMinimize:
    case fpRollup:
    case fpTray:
    case fpSysMenu:
    case fpSysButton:
        result = HTMINBUTTON;
        break;
    case fpMaximize:
        result = HTMAXBUTTON;
        break;
    default:
        break;
    }
    message.Result = result;
}

void TKsCustomForm::ActivateMessage(TMessage& message)
{
    frameActive_ = message.WParam != 0;
    FrameActivated(frameActive_);
    PaintNonClient();
    message.Result = frameActive_ ? 0 : 1;
}

void TKsCustomForm::PositionChanging(TMessage& message)
{
    auto* position = reinterpret_cast<WINDOWPOS*>(message.LParam);
    HWND window = FormWindow();
    const bool noSize = position->flags & SWP_NOSIZE;
    const bool noMove = position->flags & SWP_NOMOVE;
    if (!(noSize && noMove)) {
        bool sizeChanged = false;
        if (!noSize) {
            SIZE maximum = MaximumSize();
            position->cx = std::min(position->cx, static_cast<int>(maximum.cx));
            position->cy = std::min(position->cy, static_cast<int>(maximum.cy));
            if (states_.State() != kwsRollup && states_.State() != kwsMinimized && !IsIconic(window)) {
                SIZE minimum = MinimumSize();
                position->cx = std::max(position->cx, static_cast<int>(minimum.cx));
                position->cy = std::max(position->cy, static_cast<int>(minimum.cy));
            }
            sizeChanged =
                !(position->flags & SWP_FRAMECHANGED) && (position->cx != fullSize_.cx || position->cy != fullSize_.cy);
            if (sizeChanged) StoreSize(position->cx, position->cy);
        }
        if (position->flags & SWP_FRAMECHANGED) PaintNonClient();
        if (blend_ || dropShadow_) {
            TRect current = WindowScreenRect();
            int left = noMove ? current.Left : position->x;
            int top = noMove ? current.Top : position->y;
            int width = noSize ? current.Width() : position->cx;
            int height = noSize ? current.Height() : position->cy;
            CaptureBackground(TRect::FromSize(left, top, width, height));
        }
        if (sizeChanged && !relayout_) RebuildWindowRegion();
    }
    if (position->flags & SWP_SHOWWINDOW) {
        if (blend_ || dropShadow_ || showAnimation_ != kaNone) {
            backgroundRect_.reset();
            TRect current = WindowScreenRect();
            CaptureBackground(noMove || noSize ? current
                                               : TRect::FromSize(position->x, position->y, position->cx, position->cy));
        }
        RunShowAnimation();
    }
    if (blend_ || dropShadow_) position->flags |= SWP_NOCOPYBITS;
    message.Result = 0;
}

// Alt with space opens the system menu; Alt alone, F10 or Alt with a letter that is no mnemonic of
// the bar's enter the menu bar, which takes the letter once it tracks. The platform never tracks a
// menu of its own here: it would show its popup of the window's system menu.
void TKsCustomForm::KeyMenuCommand(TMessage& message)
{
    MarkHandled();
    message.Result = 0;
    const auto key = static_cast<wchar_t>(message.LParam);
    TCustomForm* form = Form();
    if (key == L' ') {
        ShowSystemMenu();
    } else if (key != L'-' && menuBar_ && !GetCapture()) {
        message.Result = 1;
        if (key && FormWindow()) PostMessageW(FormWindow(), WM_CHAR, key, 0);
        menuBar_->EnterTracking();
    } else if (!menuBar_ && MDIChild() && form->MDIParent() && form->MDIParent()->HandleAllocated()) {
        // A child's keys are meant for its parent's menu bar.
        message.Result = SendMessageW(form->MDIParent()->Handle(), WM_SYSCOMMAND, message.WParam, message.LParam);
    } else if (key == L'-' && form && form->FormStyle() == fsMDIForm) {
        // Alt with a hyphen opens the active child's system menu.
        if (TKsCustomForm* child = FormFrameOf(form->ActiveMDIChild())) child->ShowSystemMenu();
    }
}

// The platform's window commands (keyboard, task bar, the system menu's entries) run the frame's
// operations, so that the frame's state and the window agree.
void TKsCustomForm::SystemCommand(TMessage& message)
{
    const WPARAM command = message.WParam & 0xFFF0;
    auto run = [&](void (TKsCustomForm::*operation)()) {
        MarkHandled();
        message.Result = 0;
        (this->*operation)();
    };
    switch (command) {
    case SC_CLOSE:
        run(&TKsCustomForm::Close);
        return;
    case SC_MINIMIZE:
        run(&TKsCustomForm::Minimize);
        return;
    case SC_MAXIMIZE:
        if (borderIcons_.Contains(kbiMaximize)) run(&TKsCustomForm::Maximize);
        return;
    case SC_RESTORE:
        if (states_.State() != kwsNormal) run(&TKsCustomForm::Restore);
        return;
    case SC_KEYMENU:
        KeyMenuCommand(message);
        return;
    case SC_MOUSEMENU:
        // A press on the platform menu bar opens that menu; any other asks for the system menu.
        if ((message.WParam & 0xF) != HTMENU) run(&TKsCustomForm::ShowSystemMenu);
        return;
    default:
        return;
    }
}

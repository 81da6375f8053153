// The popup window, its frame and its view.
#include "skinwin/KsMenuForm.h"

#include "framework/Messages.h"
#include "framework/SystemSettings.h"

// ---- TKsPopupForm ----

TKsPopupForm::TKsPopupForm(TKsPopupWindow* window) : TKsCustomForm(window), window_(window)
{
    SetBorderIcons({});
    SetBorderStyle(kbsNone);
    SetCanMove(false);
    SetCanResize(false);
    SetActive(true);
}

TWinControl* TKsPopupForm::ActivationTarget() const
{
    TComponent* owner = window_->Owner();
    if (!owner) return nullptr;
    if (auto* outer = dynamic_cast<TWinControl*>(owner->Owner())) return outer;
    return dynamic_cast<TWinControl*>(owner);
}

void TKsPopupForm::BeforeMessage(TMessage& message)
{
    if (message.Msg == WM_ACTIVATE || message.Msg == WM_MOUSEACTIVATE) {
        TWinControl* target = ActivationTarget();
        if (target && target->HandleAllocated()) SendMessageW(target->Handle(), WM_NCACTIVATE, 1, 0);
    }
    TKsCustomForm::BeforeMessage(message);
}

TRect TKsPopupForm::ClientMargins() { return {3, 3, 3, 3}; }

TRect TKsPopupForm::ClientRect()
{
    TRect margins = ClientMargins();
    SIZE frame = FrameSize();
    return {margins.Left, margins.Top, frame.cx - margins.Right, frame.cy - margins.Bottom};
}

void TKsPopupForm::PaintFrame(TKsBitmap& buffer)
{
    SIZE frame = FrameSize();
    TRect rect{0, 0, frame.cx, frame.cy};
    buffer.FrameRect(rect, ColorToPixel(clBtnFace), ColorToPixel(ContrastColor(clBlack, clWindowFrame)));
    rect = rect.Inflate(-1);
    buffer.FrameRect(rect, ColorToPixel(clBtnHighlight), ColorToPixel(clBtnShadow));
    rect = rect.Inflate(-1);
    buffer.FrameRect(rect, ColorToPixel(clMenu));
}

void TKsPopupForm::PaintClientBackground(TKsBitmap& buffer)
{
    TRect client = ClientRect();
    buffer.FillRect(client, ColorToPixel(clMenu));
    TKsPopupView* view = window_->View();
    if (!view) return;
    view->SetOrigin({client.Left, client.Top});
    struct TResetOrigin {
        TKsPopupView* view;
        ~TResetOrigin() { view->SetOrigin({0, 0}); }
    } reset{view};
    view->PaintItems(buffer);
}

// ---- TKsPopupView ----

TKsPopupView::TKsPopupView(TKsPopupWindow* window, TKsCustomItem* item, TKsItemView* parentView)
    : TKsItemView(window, voVertical, false), window_(window)
{
    SetItem(item);
    SetControl(window);
    SetCoordControl(window);
    SetParentView(parentView);
}

void TKsPopupView::SizeComputed(int width, int height)
{
    TKsPopupForm* frame = window_->PopupForm();
    TRect margins = frame->ClientMargins();
    int shadow = frame->DropShadow() ? frame->ShadowExtent() : 0;
    SIZE minimum = frame->MinimumSize();
    int windowWidth = std::max<int>(width + margins.Left + margins.Right, minimum.cx) + shadow;
    int windowHeight = std::max<int>(height + margins.Top + margins.Bottom, minimum.cy) + shadow;
    window_->SetBounds(window_->Left(), window_->Top(), windowWidth, windowHeight);
}

void TKsPopupView::Repaint() { window_->Invalidate(); }

// ---- TKsPopupWindow ----

TKsPopupWindow::TKsPopupWindow(TComponent* owner) : TCustomForm(owner) { SetBorderStyle(fbsNone); }

TKsPopupWindow::~TKsPopupWindow()
{
    Destroying();
    // The view goes first: it still refers to the frame while it lets go of its parent view.
    delete view_;
    view_ = nullptr;
}

void TKsPopupWindow::Prepare(TKsCustomItem* item, TKsItemView* parentView)
{
    frame_ = CreatePopupForm();
    frame_->SetStayOnTop(true);
    view_ = new TKsPopupView(this, item, parentView);
}

void TKsPopupWindow::LoadFrame()
{
    frame_->BeginLoading();
    frame_->EndLoading();
}

TKsPopupForm* TKsPopupWindow::CreatePopupForm() { return new TKsPopupForm(this); }

void TKsPopupWindow::CreateParams(TCreateParams& params)
{
    TCustomForm::CreateParams(params);
    // The frame draws all there is of a border; the window itself is a bare popup.
    params.Style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.ClassName = L"Folvane.PopupMenu";
    params.Cursor = LoadCursorW(nullptr, IDC_ARROW);
}

void TKsPopupWindow::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_VISIBLECHANGED: {
        // Shown and hidden in place, above its owner, and never activated.
        UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
        if (message.WParam)
            SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, flags | SWP_SHOWWINDOW);
        else if (HandleAllocated())
            SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, flags | SWP_HIDEWINDOW);
        return;
    }
    case WM_MOUSEACTIVATE:
        message.Result = MA_NOACTIVATE;
        return;
    case WM_NCCALCSIZE:
        // Made with the frame's client area, the window keeps its size when the frame hooks it; from
        // then on the frame answers this itself.
        if (frame_) {
            RECT& r = message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                                     : *reinterpret_cast<RECT*>(message.LParam);
            TRect margins = frame_->ClientMargins();
            int shadow = frame_->DropShadow() ? frame_->ShadowExtent() : 0;
            r = RECT{r.left + margins.Left, r.top + margins.Top, r.right - margins.Right - shadow,
                     r.bottom - margins.Bottom - shadow};
            message.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    TCustomForm::WndProc(message);
}

TKsPopupWindow* TKsCustomItem::CreatePopupWindow(TKsItemView* parentView)
{
    auto window = std::make_unique<TKsPopupWindow>(Owner());
    window->Prepare(this, parentView);
    return window.release();
}

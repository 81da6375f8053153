#include "framework/Forms.h"

#include "framework/Application.h"
#include "framework/FlagScope.h"
#include "framework/Menus.h"
#include "framework/Screen.h"

#include <utility>
#include <vector>

namespace {

// The enabled, visible top-level windows of this thread other than except, disabled until the
// object goes; they are enabled again also when an error leaves the modal loop.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND except) : except_(except)
    {
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
        for (HWND window : windows_) EnableWindow(window, FALSE);
    }
    ~TDisabledWindows()
    {
        for (HWND window : windows_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM data)
    {
        auto* self = reinterpret_cast<TDisabledWindows*>(data);
        if (window != self->except_ && IsWindowVisible(window) && IsWindowEnabled(window))
            self->windows_.push_back(window);
        return TRUE;
    }

    HWND except_;
    std::vector<HWND> windows_;
};

} // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    // The window goes while this is still a form, so that the menu bar is taken back from it first.
    DestroyHandle();
    Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction()
{
    if (created_) return;
    created_ = true;
    if (OnCreate) OnCreate();
}

void TCustomForm::SetClientSize(int width, int height)
{
    requestedClientWidth_ = width;
    requestedClientHeight_ = height;
    ApplyClientSize();
}

TRect TCustomForm::ClientRect() const
{
    if (!HandleAllocated() && requestedClientWidth_ >= 0) return {0, 0, requestedClientWidth_, requestedClientHeight_};
    return TWinControl::ClientRect();
}

void TCustomForm::ApplyClientSize()
{
    if (requestedClientWidth_ < 0) return;
    int frameWidth, frameHeight;
    if (HandleAllocated()) {
        RECT window, client;
        GetWindowRect(Handle(), &window);
        GetClientRect(Handle(), &client);
        frameWidth = (window.right - window.left) - client.right;
        frameHeight = (window.bottom - window.top) - client.bottom;
    } else {
        TCreateParams params;
        CreateParams(params);
        RECT r{0, 0, 0, 0};
        AdjustWindowRectEx(&r, params.Style, menu_ != nullptr, params.ExStyle);
        frameWidth = r.right - r.left;
        frameHeight = r.bottom - r.top;
    }
    SetBounds(Left(), Top(), requestedClientWidth_ + frameWidth, requestedClientHeight_ + frameHeight);
}

void TCustomForm::ScaleToDpi(int dpi)
{
    if (dpi <= 0 || dpi == dpi_) return;
    const int fromDpi = std::exchange(dpi_, dpi);
    ChangeScale(fromDpi, dpi);
    ScaleControls(*this, fromDpi, dpi);
    Realign();
    TMessage changed{CM_DPICHANGED, static_cast<WPARAM>(fromDpi), dpi};
    NotifyControls(*this, changed);
    if (HandleAllocated())
        SendMessageW(Handle(), CM_DPICHANGED, changed.WParam, changed.LParam);
    else
        Perform(CM_DPICHANGED, changed.WParam, changed.LParam);
}

void TCustomForm::ChangeScale(int fromDpi, int toDpi)
{
    TFont font = Font();
    font.SetHeight(RescaleDpi(font.Height(), fromDpi, toDpi));
    SetFont(font);
    if (requestedClientWidth_ >= 0) {
        requestedClientWidth_ = RescaleDpi(requestedClientWidth_, fromDpi, toDpi);
        requestedClientHeight_ = RescaleDpi(requestedClientHeight_, fromDpi, toDpi);
        ApplyClientSize();
    } else {
        SetBounds(Left(), Top(), RescaleDpi(Width(), fromDpi, toDpi), RescaleDpi(Height(), fromDpi, toDpi));
    }
}

void TCustomForm::ScaleControls(TWinControl& parent, int fromDpi, int toDpi)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        control->ChangeScale(fromDpi, toDpi);
        if (auto* container = dynamic_cast<TWinControl*>(control)) ScaleControls(*container, fromDpi, toDpi);
    }
}

void TCustomForm::MovedToDpi(int dpi, const RECT& suggested)
{
    ScaleToDpi(dpi);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    if (borderStyle_ == style) return;
    borderStyle_ = style;
    RecreateWnd();
    ApplyClientSize();
}

void TCustomForm::SetBorderIcons(std::initializer_list<TBorderIcon> icons)
{
    SetBorderIcons(std::span<const TBorderIcon>(icons.begin(), icons.size()));
}

void TCustomForm::SetBorderIcons(std::span<const TBorderIcon> icons)
{
    unsigned bits = 0;
    for (TBorderIcon icon : icons) bits |= 1u << icon;
    if (bits == borderIcons_) return;
    borderIcons_ = bits;
    RecreateWnd();
}

void TCustomForm::SetIcon(TIconHandle icon)
{
    icon_ = std::move(icon);
    if (HandleAllocated()) {
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
    }
}

void TCustomForm::SetMenu(TMainMenu* menu)
{
    if (menu == menu_) return;
    if (menu_) {
        menu_->AttachTo(nullptr);
        RemoveFreeNotification(menu_);
    }
    menu_ = menu;
    if (menu_) {
        FreeNotification(menu_);
        if (HandleAllocated()) menu_->AttachTo(Handle());
    }
    ApplyClientSize();
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    activeControl_ = control;
}

bool TCustomForm::CloseQuery() { return !OnCloseQuery || OnCloseQuery(); }

int TCustomForm::ShowModal()
{
    if (modal_ || Visible() || !Enabled()) throw EInvalidOperation(L"Cannot make a visible window modal");
    HWND window = Handle();
    HWND previousActive = GetActiveWindow();
    modalResult_ = mrNone;
    {
        TFlagScope scope(modal_);
        TDisabledWindows others(window);
        Show();
        SetForegroundWindow(window);
        while (modalResult_ == mrNone && !Application->Terminated()) Application->HandleMessage();
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        // The other windows take input again before this one goes, so the platform activates one of them.
    }
    Hide();
    if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
    return modalResult_;
}

void TCustomForm::Close()
{
    if (!CloseQuery()) return;
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    bool mainForm = Application && Application->MainForm() == this;
    TCloseAction action = caHide;
    // A multiple-document child stays in its parent: it is minimized when it can be.
    if (formStyle_ == fsMDIChild) {
        bool minimizable = HandleAllocated() ? (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_MINIMIZEBOX) != 0
                                             : HasBorderIcon(biMinimize);
        action = minimizable ? caMinimize : caNone;
    }
    if (OnClose) OnClose(action);
    switch (action) {
    case caNone:
        return;
    case caMinimize:
        // As the window's own command, which whatever draws the window's frame may carry out.
        if (HandleAllocated()) SendMessageW(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return;
    case caHide:
    case caFree:
        Hide();
        if (mainForm) Application->Terminate();
        else if (action == caFree && HandleAllocated()) PostMessageW(Handle(), CM_RELEASE, 0, 0);
        return;
    }
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
    params.WndParent = nullptr;
    switch (borderStyle_) {
    case fbsNone:
        params.Style |= WS_POPUP;
        break;
    case fbsSingle:
        params.Style |= WS_CAPTION;
        break;
    case fbsSizeable:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case fbsDialog:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (borderStyle_ != fbsNone) {
        if (HasBorderIcon(biSystemMenu)) params.Style |= WS_SYSMENU;
        if (borderStyle_ != fbsDialog && HasBorderIcon(biMinimize)) params.Style |= WS_MINIMIZEBOX;
        if (borderStyle_ != fbsDialog && HasBorderIcon(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
    }
    if (!Enabled()) params.Style |= WS_DISABLED;
    params.ClassName = L"Folvane.Form";
    params.ClassStyle = CS_DBLCLKS;
    if (formStyle_ == fsMDIChild) {
        TCustomForm* parent = MDIParent();
        if (!parent || !parent->MDIClient())
            throw EInvalidOperation(L"Cannot create form. No MDI forms are currently active");
        params.Style |= WS_CHILD;
        params.ExStyle |= WS_EX_MDICHILD;
        params.WndParent = parent->MDIClient()->Handle();
    }
}

void TCustomForm::CreateWnd()
{
    // The form is laid out for the monitor it appears on before its window exists; a child of a
    // multiple-document parent lives on the parent's.
    TCustomForm* mdiParent = formStyle_ == fsMDIChild ? MDIParent() : nullptr;
    ScaleToDpi(mdiParent ? mdiParent->Dpi() : RectDpi(BoundsRect()));
    TWinControl::CreateWnd();
    if (menu_) menu_->AttachTo(Handle());
    if (icon_) {
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
    }
    ApplyClientSize();
    ScaleToDpi(WindowDpi(Handle()));
    // A form made again while it is on the screen comes back without running its show event again.
    if (Visible() && shownBefore_) {
        silentShow_ = true;
        ShowWindow(Handle(), SW_SHOW);
        silentShow_ = false;
    }
}

void TCustomForm::SaveWindowState()
{
    TWinControl::SaveWindowState();
    if (menu_) menu_->AttachTo(nullptr);
}

void TCustomForm::PlaceOnScreen()
{
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
        return;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* centre = position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
        if (!centre && Application) centre = Application->MainForm();
        if (!centre || centre == this) centre = nullptr;
        if (centre)
            SetBounds(centre->Left() + (centre->Width() - Width()) / 2, centre->Top() + (centre->Height() - Height()) / 2,
                      Width(), Height());
        else
            SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
        return;
    }
    default:
        return;
    }
}

void TCustomForm::HandleCommand(TMessage& message)
{
    if (HIWORD(message.WParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(message.WParam))) return;
    TWinControl::WndProc(message);
}

bool TCustomForm::DialogKey(WORD key, TShiftState shift)
{
    if (key == VK_RETURN || key == VK_ESCAPE) return OfferDialogKey(*this, key, shift);
    TWinControl* current = activeControl_;
    if (key == VK_TAB) {
        SelectNext(current, GetKeyState(VK_SHIFT) >= 0, true);
        return true;
    }
    if (!current || !current->Parent()) return false;
    bool forward = key == VK_RIGHT || key == VK_DOWN;
    current->Parent()->SelectNext(current, forward, false);
    return true;
}

bool TCustomForm::OfferMnemonic(TWinControl& parent, wchar_t key)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (!control->Visible() || !control->Enabled()) continue;
        if (control->DialogChar(key)) return true;
        if (auto* container = dynamic_cast<TWinControl*>(control); container && OfferMnemonic(*container, key))
            return true;
    }
    return false;
}

bool TCustomForm::OfferDialogKey(TWinControl& parent, WORD key, TShiftState shift)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (!control->Visible() || !control->Enabled()) continue;
        if (control->DialogKey(key, shift)) return true;
        if (auto* container = dynamic_cast<TWinControl*>(control); container && OfferDialogKey(*container, key, shift))
            return true;
    }
    return false;
}

void TCustomForm::NotifyControls(TWinControl& parent, TMessage& message)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        control->Perform(message.Msg, message.WParam, message.LParam);
        if (auto* container = dynamic_cast<TWinControl*>(control)) NotifyControls(*container, message);
    }
}

void TCustomForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_COMMAND:
        if (message.LParam == 0) {
            HandleCommand(message);
            return;
        }
        break;
    case CM_FOCUSCHANGED:
        activeControl_ = reinterpret_cast<TWinControl*>(message.LParam);
        NotifyControls(*this, message);
        return;
    case CM_DIALOGCHAR:
        message.Result = OfferMnemonic(*this, static_cast<wchar_t>(message.WParam));
        return;
    case WM_SETFOCUS:
        // The client window makes a child that takes the focus its active one.
        if (formStyle_ == fsMDIChild) DefaultHandler(message);
        if (activeControl_ && activeControl_->CanFocus()) {
            ::SetFocus(activeControl_->Handle());
            return;
        }
        if (formStyle_ == fsMDIChild) return;
        break;
    case WM_ACTIVATE:
        DefaultHandler(message);
        if (LOWORD(message.WParam) != WA_INACTIVE && !HIWORD(message.WParam)) {
            if (activeControl_ && activeControl_->CanFocus()) ::SetFocus(activeControl_->Handle());
            else SelectNext(nullptr, true, true);
        }
        return;
    case WM_SHOWWINDOW:
        if (!silentShow_ && message.LParam == 0) {
            if (message.WParam && OnShow) OnShow();
            if (!message.WParam && OnHide) OnHide();
        }
        break;
    case WM_DESTROY:
        if (menu_) menu_->AttachTo(nullptr);
        break;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of new system colours; the platform's controls inside (the list
        // view) keep their old ones unless told.
        EnumChildWindows(
            Handle(),
            [](HWND child, LPARAM) {
                SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
                return TRUE;
            },
            0);
        break;
    case WM_SIZE:
        // Restored from the task bar while the program was minimized as a whole.
        if (message.WParam != SIZE_MINIMIZED && Application && Application->Minimized() &&
            Application->MainForm() == this)
            Application->Restore();
        break;
    case CM_VISIBLECHANGED:
        if (message.WParam) {
            HWND window = Handle();
            if (!shownBefore_) PlaceOnScreen();
            shownBefore_ = true;
            ShowWindow(window, SW_SHOW);
            // A child that appears becomes the active one, as a shown top-level form does.
            if (formStyle_ == fsMDIChild)
                SendMessageW(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
        } else if (HandleAllocated()) {
            ShowWindow(Handle(), SW_HIDE);
        }
        return;
    case CM_RELEASE:
        delete this;
        return;
    case WM_DPICHANGED:
        MovedToDpi(HIWORD(message.WParam), *reinterpret_cast<const RECT*>(message.LParam));
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == menu_) menu_ = nullptr;
    if (component == mdiClient_) mdiClient_ = nullptr;
    if (component == activeControl_) activeControl_ = nullptr;
}

#include "skinwin/KsForms.h"

#include "framework/Application.h"
#include "framework/Screen.h"
#include "framework/FlagScope.h"
#include "skinwin/KsMenus.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

TRect WindowRectOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return TRect(r);
}

} // namespace

TKsCustomForm::TKsCustomForm(TComponent* owner) : TKsHook(owner)
{
    // A child stays inside its parent: it minimizes alone, snaps closer and has no tray state.
    if (MDIChild()) {
        minimizeApplication_ = false;
        magneticValue_ = 9;
        borderIcons_ = {kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiRollup};
    }
    ApplyFormStyle();
}

TKsCustomForm::~TKsCustomForm()
{
    Destroying();
    if (TCustomForm* form = Form(); shortCutChained_ && form && !form->IsDestroying())
        form->OnShortCut = std::move(previousShortCut_);
    // The parent's client window stops asking this frame for its background.
    delete std::exchange(clientHook_, nullptr);
    // A maximized child's caption leaves its parent's with it (its buttons leave the bar by themselves).
    SetParentSuffix({});
    RemoveTrayIcon();
    if (utilityWindow_) SetWindowLongPtrW(utilityWindow_.Get(), GWLP_USERDATA, 0);
    SetActive(false);
    SetControl(nullptr);
}

TCustomForm* TKsCustomForm::Form() const { return dynamic_cast<TCustomForm*>(Owner()); }

int TKsCustomForm::FrameDpi() const
{
    TCustomForm* form = Form();
    return form ? form->Dpi() : kDesignDpi;
}

int TKsCustomForm::ShadowExtent() const { return ScaleByDpi(shadowWidth_, FrameDpi()); }

HWND TKsCustomForm::FormWindow() const
{
    TWinControl* control = Control();
    return control && control->HandleAllocated() ? control->Handle() : nullptr;
}

// ---- properties ----

void TKsCustomForm::SetBlend(bool value)
{
    if (blend_ == value) return;
    blend_ = value;
    if (blend_) {
        blendBuffer_ = std::make_unique<TKsBitmap>();
        if (fullSize_.cx > 0 && fullSize_.cy > 0) blendBuffer_->SetSize(fullSize_.cx, fullSize_.cy);
    } else {
        blendBuffer_.reset();
    }
    if (!Loading()) UpdateLayout();
}

void TKsCustomForm::SetBlendValue(int value)
{
    if (blendValue_ == value) return;
    blendValue_ = value;
    if (!Loading()) UpdateLayout();
}

void TKsCustomForm::SetBorderIcons(TKsBorderIcons value)
{
    if (borderIcons_ == value) return;
    borderIcons_ = value;
    ApplyFormStyle();
    if (!Loading()) UpdateLayout();
}

void TKsCustomForm::SetBorderStyle(TKsBorderStyle value)
{
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    if (!Loading()) UpdateLayout();
}

void TKsCustomForm::SetCanResize(bool value)
{
    if (canResize_ == value) return;
    canResize_ = value;
    ApplyFormStyle();
    if (!Loading()) UpdateLayout();
}

void TKsCustomForm::SetCanMove(bool value)
{
    if (canMove_ == value) return;
    canMove_ = value;
    if (!Loading()) UpdateLayout();
}

void TKsCustomForm::SetDropShadow(bool value)
{
    if (dropShadow_ == value) return;
    dropShadow_ = value;
    if (!Loading()) UpdateLayout();
}

void TKsCustomForm::SetShadowWidth(int value)
{
    if (shadowWidth_ == value) return;
    shadowWidth_ = std::max(value, 0);
    if (!Loading()) UpdateLayout();
}

void TKsCustomForm::SetConstraints(const TKsSizeConstraints& value)
{
    constraints_ = value;
    if (TCustomForm* form = Form()) {
        int width = std::max(form->Width(), constraints_.MinWidth);
        int height = std::max(form->Height(), constraints_.MinHeight);
        if (width != form->Width() || height != form->Height())
            form->SetBounds(form->Left(), form->Top(), width, height);
    }
    if (!Loading()) UpdateLayout();
}

void TKsCustomForm::SetStayOnTop(bool value)
{
    if (stayOnTop_ == value) return;
    stayOnTop_ = value;
    PlaceInTopBand();
}

void TKsCustomForm::PlaceInTopBand()
{
    TCustomForm* form = Form();
    if (!form || !form->HandleAllocated()) return;
    HWND window = form->Handle();
    // A popup menu's window is made in the band already.
    const bool topmost = GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST;
    if (topmost != stayOnTop_)
        SetWindowPos(window, stayOnTop_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The platform keeps the form's caption style for the task bar, and the system menu, minimize and
// maximize styles and the sizing border follow the frame, so that the platform's own commands
// (task bar, keyboard) offer what the frame offers.
void TKsCustomForm::ApplyFormStyle()
{
    TCustomForm* form = Form();
    if (!form) return;
    if (!form->HandleAllocated()) {
        form->SetBorderStyle(canResize_ ? fbsSizeable : fbsSingle);
        std::vector<TBorderIcon> icons;
        if (borderIcons_.Contains(kbiSystemMenu)) icons.push_back(biSystemMenu);
        if (borderIcons_.Contains(kbiMinimize)) icons.push_back(biMinimize);
        if (borderIcons_.Contains(kbiMaximize)) icons.push_back(biMaximize);
        form->SetBorderIcons(icons);
        return;
    }
    HWND window = form->Handle();
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    LONG_PTR wanted = style & ~static_cast<LONG_PTR>(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME);
    if (borderIcons_.Contains(kbiSystemMenu)) wanted |= WS_SYSMENU;
    if (borderIcons_.Contains(kbiMinimize)) wanted |= WS_MINIMIZEBOX;
    if (borderIcons_.Contains(kbiMaximize)) wanted |= WS_MAXIMIZEBOX;
    if (canResize_) wanted |= WS_THICKFRAME;
    if (wanted != style) SetWindowLongPtrW(window, GWL_STYLE, wanted);
}

void TKsCustomForm::SetMenuBar(TKsCustomMenuBar* menuBar)
{
    if (menuBar_ == menuBar) return;
    if (menuBar_) RemoveFreeNotification(menuBar_);
    menuBar_ = menuBar;
    if (menuBar_) FreeNotification(menuBar_);
}

void TKsCustomForm::SetTrayMenu(TKsCustomPopupMenu* menu)
{
    if (trayMenu_ == menu) return;
    if (trayMenu_) RemoveFreeNotification(trayMenu_);
    trayMenu_ = menu;
    if (trayMenu_) FreeNotification(trayMenu_);
}

void TKsCustomForm::Notification(TComponent* component, TOperation operation)
{
    TKsHook::Notification(component, operation);
    if (operation != opRemove || !component) return;
    if (component == menuBar_) menuBar_ = nullptr;
    if (component == trayMenu_) trayMenu_ = nullptr;
    if (component == systemMenu_) systemMenu_ = nullptr;
    if (component == clientHook_) clientHook_ = nullptr;
    if (component == suffixParent_) suffixParent_ = nullptr;
}

TKsCustomForm* FormFrameOf(const TComponent* form)
{
    if (!form) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* frame = dynamic_cast<TKsCustomForm*>(form->Components(i))) return frame;
    return nullptr;
}

HICON TKsCustomForm::FormIcon() const
{
    TCustomForm* form = Form();
    return form && form->Icon() ? form->Icon() : ProgramIcon();
}

HICON ProgramIcon()
{
    // The one the main window carries, else the platform's icon of an application.
    TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
    return mainForm && mainForm->Icon() ? mainForm->Icon() : LoadIconW(nullptr, IDI_APPLICATION);
}

// ---- loading, layout and bounds ----

void TKsCustomForm::Loaded()
{
    TKsHook::Loaded();
    SetControl(Form());
    if (TCustomForm* form = Form()) {
        previousShortCut_ = std::move(form->OnShortCut);
        form->OnShortCut = [this](WPARAM key, LPARAM keyData) { return FormShortCut(key, keyData); };
        shortCutChained_ = true;
        if (form->FormStyle() == fsMDIForm) HookParentClient();
    }
    HWND window = FormWindow();
    if (!window) return;
    // Set before the window existed, the band is taken now.
    if (stayOnTop_) PlaceInTopBand();
    TRect bounds = WindowRectOf(window);
    StoreSize(bounds.Width(), bounds.Height());
    if (blend_ || dropShadow_) CaptureBackground(bounds);
    // The message's codes 1 to 4 are the states maximized, minimized, rolled up and tray.
    if (loadingState_) {
        PostMessageW(window, CM_FRAMESTATE, static_cast<WPARAM>(*loadingState_), 0);
        loadingState_.reset();
    }
    UpdateLayout();
}

void TKsCustomForm::WindowRecreated()
{
    windowRegion_ = false;
    ApplyFormStyle();
    if (stayOnTop_) PlaceInTopBand();
    UpdateLayout();
}

void TKsCustomForm::RequestWindowState(TKsWindowState state)
{
    if (state == kwsNormal)
        loadingState_.reset();
    else
        loadingState_ = state;
}

void TKsCustomForm::UpdateLayout()
{
    TCustomForm* form = Form();
    if (!Active() || !form || Control() != form || !form->HandleAllocated()) return;
    HWND window = form->Handle();
    {
        // The frame's size follows the current shadow settings; the region is made once at the end
        // rather than for every step.
        TRect bounds = WindowRectOf(window);
        StoreSize(bounds.Width(), bounds.Height());
        TFlagScope guard(relayout_);
        RECT before;
        GetClientRect(window, &before);
        // A hidden window whose client area is the frame's already (a popup menu's is made so)
        // needs no new pass over its non-client area.
        if (IsWindowVisible(window) || !HasFrameClientArea(window, bounds)) {
            const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
            SetWindowPos(window, nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_FRAMECHANGED);
            RECT after;
            GetClientRect(window, &after);
            int dw = before.right - after.right;
            int dh = before.bottom - after.bottom;
            if (dw != 0 || dh != 0)
                SetWindowPos(window, nullptr, 0, 0, bounds.Width() + dw, bounds.Height() + dh, flags);
        }
    }
    RebuildWindowRegion();
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool TKsCustomForm::HasFrameClientArea(HWND window, const TRect& bounds)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT client;
    GetClientRect(window, &client);
    return ClientRect() == TRect::FromSize(origin.x - bounds.Left, origin.y - bounds.Top, client.right, client.bottom);
}

void TKsCustomForm::SetFormBounds(const TRect& bounds)
{
    TCustomForm* form = Form();
    if (!form) return;
    form->SetBoundsRect(bounds);
    // The windows uncovered by the move are painted at once, without waiting for the next pass of
    // the message loop. A quit request met here is put back for the loops outside.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        DispatchMessageW(&message);
    }
}

void TKsCustomForm::StoreSize(int width, int height)
{
    fullSize_ = {width, height};
    int shadow = dropShadow_ && states_.State() != kwsMaximized ? ShadowExtent() : 0;
    frameSize_ = {std::max(width - shadow, 0), std::max(height - shadow, 0)};
    if (blendBuffer_ && width > 0 && height > 0) blendBuffer_->SetSize(width, height);
}

TRect TKsCustomForm::FormRect() const
{
    HWND window = FormWindow();
    if (!window) return {};
    RECT r;
    GetWindowRect(window, &r);
    if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r);
}

TRect TKsCustomForm::WindowScreenRect() const
{
    TCustomForm* form = Form();
    if (!form || !form->HandleAllocated()) return {};
    return WindowRectOf(form->Handle());
}

std::wstring TKsCustomForm::CaptionText() const
{
    TCustomForm* form = Form();
    return form ? form->Caption() : std::wstring();
}

int TKsCustomForm::StateIndex() const
{
    switch (states_.State()) {
    case kwsMaximized:
        return ssMaximized;
    case kwsMinimized:
    case kwsTray:
        return ssMinimized;
    case kwsRollup:
        return ssRolledUp;
    default:
        return ssNormal;
    }
}

// ---- geometry the plain look and the skin share ----

TRect TKsCustomForm::RollupRect()
{
    TRect bounds = FormRect();
    TRect client = ClientRect();
    return TRect::FromSize(bounds.Left, bounds.Top, frameSize_.cx, client.Top + frameSize_.cy - client.Bottom);
}

TRect TKsCustomForm::MinimizedRect()
{
    TRect area = MDIChild() ? ParentClientArea() : Screen->WorkAreaRect();
    TRect client = ClientRect();
    int height = client.Top + frameSize_.cy - client.Bottom;
    return TRect::FromSize(area.Left, area.Bottom - height, SystemMetricForDpi(SM_CXMINIMIZED, FrameDpi()), height);
}

TRect TKsCustomForm::MaximizedRect()
{
    if (MDIChild()) {
        TRect area = ParentClientArea();
        return {area.Left, area.Top, area.Right + 1, area.Bottom + 1};
    }
    TCustomForm* form = Form();
    TMonitor monitor = form && form->HandleAllocated()
                           ? Screen->MonitorFromWindow(form->Handle())
                           : TMonitor{nullptr, Screen->WorkAreaRect(), Screen->WorkAreaRect()};
    TRect area = stayOnTop_ ? monitor.BoundsRect : Screen->WorkAreaRect();
    return area.Intersect(monitor.BoundsRect);
}

SIZE TKsCustomForm::MaximumSize()
{
    TRect area = stayOnTop_ ? TRect(0, 0, Screen->Width(), Screen->Height()) : Screen->WorkAreaRect();
    if (MDIChild()) area = MaximizedRect();
    SIZE size{area.Width(), area.Height()};
    if (constraints_.MaxWidth) size.cx = constraints_.MaxWidth;
    if (constraints_.MaxHeight) size.cy = constraints_.MaxHeight;
    return size;
}

SIZE TKsCustomForm::MinimumSize()
{
    SIZE size{150, 40};
    if (constraints_.MinWidth) size.cx = constraints_.MinWidth;
    if (constraints_.MinHeight) size.cy = constraints_.MinHeight;
    return size;
}

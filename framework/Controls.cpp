#include "framework/Controls.h"

#include "framework/Accessible.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <utility>

LRESULT CALLBACK FolvaneWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

// The control of a window made elsewhere and attached to a control (AttachToWindow).
const wchar_t* const kControlProperty = L"Folvane.Control";
// The window's own procedure, kept on a window that was given back while someone else's procedure
// sat on top of ours.
const wchar_t* const kForeignProcProperty = L"Folvane.ForeignProc";

// The control whose window CreateWindowExW is making; its first message attaches the window to it.
thread_local TWinControl* creatingControl = nullptr;

bool IsMouseMessage(UINT msg)
{
    return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL && msg != WM_MOUSEHWHEEL;
}

bool IsKeyMessage(UINT msg)
{
    return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYUP || msg == WM_CHAR;
}

TPoint PointFromLParam(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LPARAM PointToLParam(TPoint p) { return MAKELPARAM(static_cast<short>(p.X), static_cast<short>(p.Y)); }

// Registers the class of params once per name and returns the procedure that handles what our
// handlers leave: the standard class's own procedure, or DefWindowProcW for our classes.
WNDPROC RegisterControlClass(const TCreateParams& params)
{
    static std::map<std::wstring, WNDPROC> registered;
    auto found = registered.find(params.ClassName);
    if (found != registered.end()) return found->second;

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC defaultProc = DefWindowProcW;
    if (!params.StandardClass.empty()) {
        if (!GetClassInfoExW(nullptr, params.StandardClass.c_str(), &wc)) RaiseLastOSError();
        defaultProc = wc.lpfnWndProc;
        wc.style &= ~CS_GLOBALCLASS;
    } else {
        wc.style = params.ClassStyle;
        wc.hCursor = params.Cursor ? params.Cursor : LoadCursorW(nullptr, IDC_ARROW);
    }
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FolvaneWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = params.ClassName.c_str();
    if (!RegisterClassExW(&wc)) RaiseLastOSError();
    registered.emplace(params.ClassName, defaultProc);
    return defaultProc;
}

UINT NextChildId()
{
    static UINT id = 100;
    if (++id > 0x7FFF) id = 101;
    return id;
}

} // namespace

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

TShiftState MouseShiftState(WPARAM mouseFlags)
{
    TShiftState shift = 0;
    if (mouseFlags & MK_SHIFT) shift |= ssShift;
    if (mouseFlags & MK_CONTROL) shift |= ssCtrl;
    if (mouseFlags & MK_LBUTTON) shift |= ssLeft;
    if (mouseFlags & MK_RBUTTON) shift |= ssRight;
    if (mouseFlags & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

// The one window procedure of every control: finds the control through the window's property and
// runs its handler chain. Nothing thrown by a handler crosses back into the platform.
LRESULT CALLBACK FolvaneWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWinControl* control = TWinControl::FindControl(window);
    if (!control) {
        if (auto own = reinterpret_cast<WNDPROC>(GetPropW(window, kForeignProcProperty))) {
            if (msg == WM_NCDESTROY) RemovePropW(window, kForeignProcProperty);
            return CallWindowProcW(own, window, msg, wParam, lParam);
        }
        control = creatingControl;
        if (!control) return DefWindowProcW(window, msg, wParam, lParam);
        creatingControl = nullptr;
        control->AttachWindow(window);
    }
    TMessage message{msg, wParam, lParam, 0};
    GuardEntryPoint([&] { control->WndProc(message); });
    if (msg == WM_NCDESTROY) control->DetachWindow();
    return message.Result;
}

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    bounds_ = TRect::FromSize(0, 0, 100, 30);
    font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl()
{
    Destroying();
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    TRect bounds = TRect::FromSize(left, top, std::max(width, 0), std::max(height, 0));
    if (bounds == bounds_) return;
    Invalidate();
    bounds_ = bounds;
    BoundsChanged();
    Invalidate();
    if (parent_ && align_ != alNone) parent_->Realign();
}

int TControl::Dpi() const
{
    if (const TCustomForm* form = GetParentForm(this)) return form->Dpi();
    // A control on no form, such as a drop-down list between its showings, follows its owner.
    if (auto* owner = dynamic_cast<const TControl*>(Owner())) return owner->Dpi();
    return kDesignDpi;
}

void TControl::ChangeScale(int fromDpi, int toDpi)
{
    SetBounds(RescaleDpi(Left(), fromDpi, toDpi), RescaleDpi(Top(), fromDpi, toDpi),
              RescaleDpi(Width(), fromDpi, toDpi), RescaleDpi(Height(), fromDpi, toDpi));
    // A font taken from the parent follows the parent's.
    if (!parentFont_ || !parent_) font_.SetHeight(RescaleDpi(font_.Height(), fromDpi, toDpi));
}

void TControl::UpdateBoundsRect(const TRect& bounds)
{
    if (bounds == bounds_) return;
    bounds_ = bounds;
    BoundsChanged();
}

TRect TControl::ClientRect() const { return {0, 0, Width(), Height()}; }

void TControl::SetAlign(TAlign align)
{
    if (align_ == align) return;
    align_ = align;
    if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible)
{
    if (visible_ == visible) return;
    if (!visible) Invalidate();
    visible_ = visible;
    Changed(CM_VISIBLECHANGED, visible);
    if (visible) Invalidate();
    if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Changed(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color)
{
    if (color_ == color) return;
    color_ = color;
    Changed(CM_COLORCHANGED);
}

void TControl::SetFont(const TFont& font)
{
    parentFont_ = false;
    font_ = font;
}

void TControl::SetParentFont(bool parentFont)
{
    if (parentFont_ == parentFont) return;
    parentFont_ = parentFont;
    if (parentFont_ && parent_) {
        font_ = parent_->Font();
        parentFont_ = true;
    }
}

void TControl::FontChanged() { Changed(CM_FONTCHANGED); }

void TControl::SetText(const std::wstring& text)
{
    if (GetTextValue() == text) return;
    SetTextValue(text);
    Changed(CM_TEXTCHANGED);
}

void TControl::Changed(UINT notification, WPARAM wParam) { Perform(notification, wParam, 0); }

void TControl::Invalidate() {}

void TControl::Update() {}

TPoint TControl::ClientOrigin() const
{
    if (!parent_) return {bounds_.Left, bounds_.Top};
    TPoint origin = parent_->ClientOrigin();
    return {origin.X + bounds_.Left, origin.Y + bounds_.Top};
}

TPoint TControl::ClientToScreen(TPoint point) const
{
    TPoint origin = ClientOrigin();
    return {point.X + origin.X, point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint point) const
{
    TPoint origin = ClientOrigin();
    return {point.X - origin.X, point.Y - origin.Y};
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::Click()
{
    if (OnClick) OnClick();
}

void TControl::MouseEnter()
{
    if (OnMouseEnter) OnMouseEnter();
}

void TControl::MouseLeave()
{
    if (OnMouseLeave) OnMouseLeave();
}

void TControl::DoEnter()
{
    if (OnEnter) OnEnter();
}

void TControl::DoExit()
{
    if (OnExit) OnExit();
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
        mouseInControl_ = true;
        MouseEnter();
        return;
    case CM_MOUSELEAVE:
        mouseInControl_ = false;
        MouseLeave();
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_DIALOGKEY:
        message.Result = DialogKey(static_cast<WORD>(message.WParam), KeyboardShiftState());
        return;
    case WM_MOUSEWHEEL:
        if (MouseWheel(MouseShiftState(GET_KEYSTATE_WPARAM(message.WParam)), GET_WHEEL_DELTA_WPARAM(message.WParam),
                       PointFromLParam(message.LParam)))
            return;
        break;
    case CM_PARENTFONTCHANGED:
        if (parentFont_ && parent_) {
            font_ = parent_->Font();
            parentFont_ = true;
        }
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        return;
    case CM_VISIBLECHANGED:
        return;
    default:
        break;
    }
    // Private messages that nobody handled stop here; the platform never sees them.
    if (IsPrivateMessage(message.Msg)) return;
    if (IsMouseMessage(message.Msg)) HandleMouse(message);
    if (IsKeyMessage(message.Msg)) {
        HandleKey(message);
        if (message.WParam == 0) return;
    }
    DefaultHandler(message);
}

void TControl::HandleKey(TMessage& message)
{
    if (message.Msg == WM_CHAR) {
        auto key = static_cast<wchar_t>(message.WParam);
        KeyPress(key);
        message.WParam = key;
        return;
    }
    auto key = static_cast<WORD>(message.WParam);
    if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN) KeyDown(key, KeyboardShiftState());
    else KeyUp(key, KeyboardShiftState());
    message.WParam = key;
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::HandleMouse(TMessage& message)
{
    TPoint p = PointFromLParam(message.LParam);
    TShiftState shift = MouseShiftState(message.WParam);
    auto doubleClick = [&](TMouseButton button) {
        MouseDown(button, shift | ssDouble, p.X, p.Y);
        DblClick();
    };
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, p.X, p.Y);
        break;
    case WM_LBUTTONDOWN:
        mousePressed_ = true;
        MouseDown(mbLeft, shift, p.X, p.Y);
        break;
    case WM_LBUTTONDBLCLK:
        mousePressed_ = true;
        doubleClick(mbLeft);
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift, p.X, p.Y);
        break;
    case WM_RBUTTONDBLCLK:
        doubleClick(mbRight);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, shift, p.X, p.Y);
        break;
    case WM_MBUTTONDBLCLK:
        doubleClick(mbMiddle);
        break;
    case WM_LBUTTONUP:
        MouseUp(mbLeft, shift, p.X, p.Y);
        if (mousePressed_) {
            mousePressed_ = false;
            // Window-less controls have no platform click; a press and release inside is one.
            if (!dynamic_cast<TWinControl*>(this) && ClientRect().Contains(p)) Click();
        }
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, p.X, p.Y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, p.X, p.Y);
        break;
    default:
        break;
    }
}

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::PaintTo(HDC dc)
{
    TSavedDC saved(dc);
    IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
    POINT previous;
    OffsetViewportOrgEx(dc, Left(), Top(), &previous);
    canvas_.SetHandle(dc);
    canvas_.SetFont(Font());
    Paint();
    canvas_.SetHandle(nullptr);
}

void TGraphicControl::Invalidate()
{
    if (!Parent() || !Parent()->HandleAllocated() || !Visible()) return;
    RECT r = BoundsRect().ToRECT();
    InvalidateRect(Parent()->Handle(), &r, TRUE);
}

void TGraphicControl::Update()
{
    if (Parent()) Parent()->Update();
}

void TGraphicControl::WndProc(TMessage& message) { TControl::WndProc(message); }

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    Destroying();
    if (TCustomForm* form = GetParentForm(this); form && form != this && form->ActiveControl() == this)
        form->SetActiveControl(nullptr);
    // Children go with their parent, last given first, while this window still exists.
    while (!controls_.empty()) delete controls_.back();
    // Leaving the parent here, while this is still a windowed control, takes it out of the tab order.
    if (Parent()) Parent()->RemoveControl(this);
    if (attached_) ReleaseWindow();
    if (handle_) DestroyWindowNow();
}

TWinControl* TWinControl::FindControl(HWND window)
{
    // A window the framework made belongs to a class of ours and carries the control in its user
    // data. Both are read without a round trip to the window server, which a window property
    // costs under Wine on every message. Only windows made elsewhere and attached carry a property.
    if (!window) return nullptr;
    if (GetClassLongPtrW(window, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(&FolvaneWndProc))
        return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return static_cast<TWinControl*>(GetPropW(window, kControlProperty));
}

HWND TWinControl::Handle()
{
    if (!handle_) {
        if (Parent()) Parent()->HandleNeeded();
        if (!handle_) CreateHandle();
    }
    return handle_;
}

void TWinControl::CreateHandle()
{
    if (handle_) return;
    CreateWnd();
    for (size_t i = 0; i < controls_.size(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(controls_[i])) child->CreateHandle();
    Realign();
    // What the tools read from now on is told as a change of this first look.
    AccessibleChanged();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = text_;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (tabStop_) params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    if (Parent()) params.WndParent = Parent()->Handle();
    params.ClassName = L"Folvane.Control";
    params.ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation(FormatMessageText(L"Control '%s' has no parent window", {Name()}));
    defaultProc_ = RegisterControlClass(params);
    HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId())) : nullptr;
    creatingControl = this;
    HWND window = CreateWindowExW(params.ExStyle, params.ClassName.c_str(), params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent, id,
                                  GetModuleHandleW(nullptr), params.Param);
    creatingControl = nullptr;
    if (!window) {
        if (handle_) DestroyWindowNow();
        RaiseLastOSError();
    }
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    CreateWindowState();
}

void TWinControl::AttachWindow(HWND window)
{
    handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TWinControl::AttachToWindow(HWND window)
{
    if (handle_) throw EInvalidOperation(FormatMessageText(L"Control '%s' already has a window", {Name()}));
    if (FindControl(window)) throw EInvalidOperation(L"The window belongs to another control");
    defaultProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    handle_ = window;
    SetPropW(window, kControlProperty, this);
    attached_ = true;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FolvaneWndProc));
    RECT r;
    GetWindowRect(window, &r);
    if (HWND parent = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr)
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    UpdateBoundsRect(TRect(r));
}

void TWinControl::ReleaseWindow()
{
    if (!attached_ || !handle_) return;
    // Another party that sub-classed the window after us keeps its procedure; ours then forwards
    // to the window's own procedure for as long as the window lives.
    if (GetWindowLongPtrW(handle_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(FolvaneWndProc))
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defaultProc_));
    else SetPropW(handle_, kForeignProcProperty, reinterpret_cast<HANDLE>(defaultProc_));
    DetachWindow();
}

void TWinControl::DetachWindow()
{
    if (!handle_) return;
    if (attached_) RemovePropW(handle_, kControlProperty);
    else SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    handle_ = nullptr;
    attached_ = false;
    trackingLeave_ = false;
    hotGraphicChild_ = nullptr;
    capturedGraphicChild_ = nullptr;
}

void TWinControl::DestroyWnd() { DestroyWindow(handle_); }

void TWinControl::DestroyWindowNow()
{
    HWND window = handle_;
    DestroyWnd();
    // A window the platform refused to destroy is at least no longer ours.
    if (handle_ == window) DetachWindow();
}

void TWinControl::SaveWindowState() { text_ = GetTextValue(); }

void TWinControl::DestroyHandle()
{
    if (!handle_) return;
    if (attached_) {
        ReleaseWindow();
        return;
    }
    for (TControl* control : controls_)
        if (auto* child = dynamic_cast<TWinControl*>(control)) child->DestroyHandle();
    SaveWindowState();
    DestroyWindowNow();
}

void TWinControl::RecreateWnd()
{
    if (!handle_ || recreating_) return;
    bool hadFocus = Focused();
    recreating_ = true;
    try {
        DestroyHandle();
        CreateHandle();
    } catch (...) {
        recreating_ = false;
        throw;
    }
    recreating_ = false;
    if (hadFocus) SetFocus();
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* child = dynamic_cast<TWinControl*>(control)) tabList_.push_back(child);
    if (control->parentFont_) {
        control->font_ = Font();
        control->parentFont_ = true;
    }
    if (handle_) {
        if (auto* child = dynamic_cast<TWinControl*>(control)) child->CreateHandle();
        else control->Invalidate();
    }
    if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control)
{
    if (control == hotGraphicChild_) hotGraphicChild_ = nullptr;
    if (control == capturedGraphicChild_) capturedGraphicChild_ = nullptr;
    if (auto* child = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = GetParentForm(this); form && form->ActiveControl() == child)
            form->SetActiveControl(nullptr);
        child->DestroyHandle();
        std::erase(tabList_, child);
    } else if (handle_) {
        RECT r = control->BoundsRect().ToRECT();
        InvalidateRect(handle_, &r, TRUE);
    }
    std::erase(controls_, control);
    control->parent_ = nullptr;
    if (control->Align() != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool allowWindowed) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!allowWindowed && dynamic_cast<TWinControl*>(c)) continue;
        if (c->Visible() && (allowDisabled || c->Enabled()) && c->BoundsRect().Contains(point)) return c;
    }
    return nullptr;
}

int TWinControl::TabOrder() const
{
    if (!Parent()) return -1;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (!Parent()) return;
    auto& list = Parent()->tabList_;
    std::erase(list, this);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int count = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (forward ? count - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[i];
        if (candidate == current) break;
        if ((!checkTabStop || candidate->TabStop()) && candidate->CanFocus()) return candidate;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

bool TWinControl::Focused() const
{
    if (!handle_) return false;
    HWND focus = GetFocus();
    if (focus == handle_) return true;
    // A focused inner window that is not a control of ours (the edit inside a combo box) counts.
    return focus && IsChild(handle_, focus) && !FindControl(focus);
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->SetActiveControl(this);
    ::SetFocus(Handle());
}

bool TWinControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    TRect before = BoundsRect();
    TControl::SetBounds(left, top, width, height);
    if (handle_ && BoundsRect() != before)
        SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (BoundsRect().Width() != before.Width() || BoundsRect().Height() != before.Height()) Realign();
}

TRect TWinControl::ClientRect() const
{
    if (!handle_) return TControl::ClientRect();
    RECT r;
    GetClientRect(handle_, &r);
    return TRect(r);
}

TPoint TWinControl::ClientOrigin() const
{
    if (!handle_) return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return {p.x, p.y};
}

void TWinControl::Invalidate()
{
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
    AccessibleChanged();
}

void TWinControl::AccessibleChanged()
{
    // A control that is being read or freed (or whose form is) has nothing settled to tell.
    if (!handle_ || IsLoading() || IsDestroying() || (Owner() && Owner()->IsDestroying())) return;
    TComRef<TAccessibleObject> object(CreateAccessible(OBJID_CLIENT));
    if (object) accessibleWatch_.Check(*object.Get());
}

void TWinControl::Update()
{
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::Realign()
{
    if (aligning_) return;
    aligning_ = true;
    try {
        AlignControls();
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

void TWinControl::AlignControls()
{
    TRect area = ClientRect();
    auto place = [&](TAlign align) {
        for (TControl* c : controls_) {
            if (c->Align() != align || !c->Visible()) continue;
            switch (align) {
            case alTop:
                c->SetBounds(area.Left, area.Top, area.Width(), c->Height());
                area.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(area.Left, area.Bottom - c->Height(), area.Width(), c->Height());
                area.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(area.Left, area.Top, c->Width(), area.Height());
                area.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(area.Right - c->Width(), area.Top, c->Width(), area.Height());
                area.Right -= c->Width();
                break;
            case alClient:
                c->SetBounds(area.Left, area.Top, area.Width(), area.Height());
                break;
            case alNone:
                break;
            }
        }
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) place(align);
}

HBRUSH TWinControl::BackgroundBrush()
{
    if (!backgroundBrush_ || backgroundBrushColor_ != Color()) {
        backgroundBrush_.Reset(CreateSolidBrush(ColorToRGB(Color())));
        backgroundBrushColor_ = Color();
    }
    return backgroundBrush_.Get();
}

std::wstring TWinControl::GetTextValue() const
{
    if (!handle_) return text_;
    int length = GetWindowTextLengthW(handle_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(handle_, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

void TWinControl::SetTextValue(const std::wstring& text)
{
    text_ = text;
    if (handle_) SetWindowTextW(handle_, text.c_str());
}

void TWinControl::PaintControls(HDC dc)
{
    RECT clip;
    bool haveClip = GetClipBox(dc, &clip) != NULLREGION;
    for (TControl* c : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(c);
        if (!graphic || !graphic->Visible()) continue;
        if (haveClip && graphic->BoundsRect().Intersect(TRect(clip)).IsEmpty()) continue;
        graphic->PaintTo(dc);
    }
}

void TWinControl::PaintHandler(TMessage& message)
{
    bool standard = defaultProc_ != DefWindowProcW;
    bool hasGraphicChildren = std::any_of(controls_.begin(), controls_.end(),
                                          [](TControl* c) { return dynamic_cast<TGraphicControl*>(c) != nullptr; });
    if (standard && !hasGraphicChildren) {
        DefaultHandler(message);
        return;
    }
    PAINTSTRUCT ps{};
    HDC dc = message.WParam ? reinterpret_cast<HDC>(message.WParam) : BeginPaint(handle_, &ps);
    if (standard) {
        TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
        DefaultHandler(inner);
    } else {
        PaintWindow(dc);
    }
    PaintControls(dc);
    if (!message.WParam) EndPaint(handle_, &ps);
}

void TWinControl::EraseHandler(TMessage& message)
{
    if (defaultProc_ != DefWindowProcW) {
        DefaultHandler(message);
        return;
    }
    message.Result = EraseBackground(reinterpret_cast<HDC>(message.WParam), message.LParam) ? 1 : 0;
}

bool TWinControl::EraseBackground(HDC dc, LPARAM)
{
    RECT r;
    GetClientRect(handle_, &r);
    FillRect(dc, &r, BackgroundBrush());
    return true;
}

void TWinControl::ReflectToChild(TMessage& message)
{
    HWND source = reinterpret_cast<HWND>(message.LParam);
    UINT reflected = CN_CTLCOLOR;
    switch (message.Msg) {
    case WM_COMMAND:
        reflected = CN_COMMAND;
        break;
    case WM_NOTIFY:
        source = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
        reflected = CN_NOTIFY;
        break;
    case WM_DRAWITEM:
        source = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
        reflected = CN_DRAWITEM;
        break;
    case WM_MEASUREITEM:
        // The item's window is named by its identifier only; menus (type ODT_MENU) have none.
        if (reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->CtlType != ODT_MENU)
            source = GetDlgItem(handle_, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->CtlID));
        else source = nullptr;
        reflected = CN_MEASUREITEM;
        break;
    case WM_HSCROLL:
        reflected = CN_HSCROLL;
        break;
    case WM_VSCROLL:
        reflected = CN_VSCROLL;
        break;
    default:
        break;
    }
    TWinControl* child = source && source != handle_ ? FindControl(source) : nullptr;
    if (child) message.Result = child->Perform(reflected, message.WParam, message.LParam);
    else DefaultHandler(message);
}

void TWinControl::OfferDialogChar(TMessage& message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, message.WParam, 0)) return;
    DefaultHandler(message);
}

void TWinControl::HandleKeyDown(TMessage& message)
{
    const MSG* msg = reinterpret_cast<const MSG*>(message.LParam);
    WPARAM key = message.WParam;
    // The form's shortcut keys (its menus) come before everything else.
    if (TCustomForm* form = GetParentForm(this); form && form->IsShortCut(key, msg->lParam)) {
        message.Result = 1;
        return;
    }
    bool tab = key == VK_TAB;
    bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    bool command = key == VK_RETURN || key == VK_ESCAPE;
    if (!tab && !arrow && !command) return;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return;
    LRESULT code = SendMessageW(msg->hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(msg));
    LRESULT wants = DLGC_WANTALLKEYS | DLGC_WANTMESSAGE;
    if (tab) wants |= DLGC_WANTTAB;
    if (arrow) wants |= DLGC_WANTARROWS;
    if (code & wants) return;
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, key, 0)) message.Result = 1;
}

void TWinControl::TrackMouseLeave()
{
    if (trackingLeave_) return;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

void TWinControl::SetHotGraphicChild(TControl* child)
{
    if (child == hotGraphicChild_) return;
    TControl* previous = hotGraphicChild_;
    hotGraphicChild_ = child;
    if (previous) previous->Perform(CM_MOUSELEAVE, 0, 0);
    if (child) child->Perform(CM_MOUSEENTER, 0, 0);
}

void TWinControl::RouteMouseToGraphicChild(TMessage& message)
{
    TPoint p = PointFromLParam(message.LParam);
    TControl* target = capturedGraphicChild_ ? capturedGraphicChild_ : ControlAtPos(p, false);
    if (!capturedGraphicChild_) SetHotGraphicChild(target);
    if (!target) {
        TControl::WndProc(message);
        return;
    }
    bool down = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN || message.Msg == WM_MBUTTONDOWN ||
                message.Msg == WM_LBUTTONDBLCLK;
    bool up = message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MBUTTONUP;
    if (down) {
        capturedGraphicChild_ = target;
        SetCapture(handle_);
    }
    TPoint local{p.X - target->Left(), p.Y - target->Top()};
    message.Result = target->Perform(message.Msg, message.WParam, PointToLParam(local));
    if (up && capturedGraphicChild_) {
        capturedGraphicChild_ = nullptr;
        if (GetCapture() == handle_) ReleaseCapture();
        SetHotGraphicChild(ControlAtPos(p, false));
    }
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        PaintHandler(message);
        return;
    case WM_PRINTCLIENT:
        if (defaultProc_ == DefWindowProcW) {
            TMessage erase{WM_ERASEBKGND, message.WParam, 0, 0};
            EraseHandler(erase);
            TMessage paint{WM_PAINT, message.WParam, 0, 0};
            PaintHandler(paint);
            return;
        }
        break;
    case WM_ERASEBKGND:
        EraseHandler(message);
        return;
    case WM_COMMAND:
        if (message.LParam) {
            ReflectToChild(message);
            return;
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        // The window's own scroll bars carry no window: those stay with this control.
        if (message.LParam) {
            ReflectToChild(message);
            return;
        }
        break;
    case WM_SYSCHAR:
        OfferDialogChar(message);
        return;
    case WM_SYSCOMMAND:
        // Alt with a letter typed in a control makes the platform send the keyboard's menu command
        // to the control's own window: the form's menus take it, as when the form has the focus.
        if ((message.WParam & 0xFFF0) == SC_KEYMENU) {
            if (TCustomForm* form = GetParentForm(this); form && form != this && form->HandleAllocated()) {
                message.Result = SendMessageW(form->Handle(), WM_SYSCOMMAND, message.WParam, message.LParam);
                return;
            }
        }
        break;
    case WM_CHAR:
        TControl::WndProc(message);
        if (message.WParam >= L' ' && !(SendMessageW(handle_, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) {
            // A character no control of ours took: it may be a mnemonic of the form's controls.
            if (TCustomForm* form = GetParentForm(this))
                form->Perform(CM_DIALOGCHAR, message.WParam, 0);
        }
        return;
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        ReflectToChild(message);
        return;
    case CN_CTLCOLOR: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ColorToRGB(Font().Color()));
        SetBkColor(dc, ColorToRGB(Color()));
        message.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
        return;
    }
    case CN_KEYDOWN:
        HandleKeyDown(message);
        return;
    case WM_SETFOCUS:
        DefaultHandler(message);
        if (TCustomForm* form = GetParentForm(this); form && form != this)
            form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
        Perform(CM_ENTER, 0, 0);
        return;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        Perform(CM_EXIT, 0, 0);
        return;
    case WM_MOUSEMOVE:
        if (!MouseInControl()) {
            TrackMouseLeave();
            Perform(CM_MOUSEENTER, 0, 0);
        }
        RouteMouseToGraphicChild(message);
        return;
    case WM_CAPTURECHANGED:
        // The mouse was taken away in the middle of a press on a window-less child: the child hears
        // of it, and the mouse goes where it points again.
        if (capturedGraphicChild_ && reinterpret_cast<HWND>(message.LParam) != handle_)
            std::exchange(capturedGraphicChild_, nullptr)->Perform(WM_CAPTURECHANGED, message.WParam, message.LParam);
        break;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (!capturedGraphicChild_) SetHotGraphicChild(nullptr);
        Perform(CM_MOUSELEAVE, 0, 0);
        DefaultHandler(message);
        return;
    case WM_WINDOWPOSCHANGED: {
        DefaultHandler(message);
        if (IsIconic(handle_)) return;
        RECT r;
        GetWindowRect(handle_, &r);
        HWND parent = (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD) ? GetParent(handle_) : nullptr;
        if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        TRect before = BoundsRect();
        UpdateBoundsRect(TRect(r));
        if (before.Width() != Width() || before.Height() != Height()) Realign();
        return;
    }
    case CM_ENABLEDCHANGED:
        if (handle_) EnableWindow(handle_, Enabled());
        break;
    case CM_VISIBLECHANGED:
        if (handle_) ShowWindow(handle_, message.WParam ? SW_SHOWNOACTIVATE : SW_HIDE);
        return;
    case CM_FONTCHANGED:
        if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
        for (TControl* c : controls_) c->Perform(CM_PARENTFONTCHANGED, 0, 0);
        break;
    case CM_TEXTCHANGED:
        // Windows show their own text; only our own classes may draw it themselves.
        if (defaultProc_ == DefWindowProcW) Invalidate();
        return;
    case WM_GETOBJECT:
        if (TAccessibleObject* object = CreateAccessible(static_cast<LONG>(static_cast<DWORD>(message.LParam)))) {
            message.Result = AccessibleObjectResult(object, message.WParam);
            return;
        }
        break;
    case CM_ACCESSIBLEACTION:
        if (TComRef<TAccessibleObject> object(CreateAccessible(static_cast<LONG>(message.LParam))); object)
            object.Get()->RunDefaultAction(static_cast<LONG>(message.WParam));
        return;
    default:
        if (IsMouseMessage(message.Msg)) {
            RouteMouseToGraphicChild(message);
            return;
        }
        break;
    }
    TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (!handle_) return;
    message.Result = CallWindowProcW(defaultProc_, handle_, message.Msg, message.WParam, message.LParam);
}

// ---- TCustomControl ----

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(HDC dc)
{
    canvas_.SetHandle(dc);
    canvas_.SetFont(Font());
    Paint();
    canvas_.SetHandle(nullptr);
}

TCustomForm* GetParentForm(const TControl* control)
{
    const TControl* top = control;
    while (top && top->Parent()) top = top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

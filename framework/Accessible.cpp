#include "framework/Accessible.h"

#include "framework/Controls.h"
#include "framework/Messages.h"

namespace {

void SetChildVariant(VARIANT* out, LONG child)
{
    out->vt = VT_I4;
    out->lVal = child;
}

HRESULT ReturnNoChild(VARIANT* out)
{
    out->vt = VT_EMPTY;
    return S_FALSE;
}

// The platform's object of a child window, as a variant that hands over its reference.
HRESULT ReturnWindowObject(HWND window, VARIANT* out)
{
    IDispatch* object = nullptr;
    HRESULT result =
        AccessibleObjectFromWindow(window, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(&object));
    if (FAILED(result)) return result;
    out->vt = VT_DISPATCH;
    out->pdispVal = object;
    return S_OK;
}

} // namespace

TAccessibleObject::TAccessibleObject(HWND window, LONG objectId) : window_(window), objectId_(objectId) {}

TAccessibleObject::~TAccessibleObject()
{
    if (standard_) standard_->Release();
}

TWinControl* TAccessibleObject::Control() const { return TWinControl::FindControl(window_); }

bool TAccessibleObject::Connected() const
{
    TWinControl* control = Control();
    return control && !control->IsDestroying();
}

IAccessible* TAccessibleObject::Standard() const
{
    if (!standard_)
        CreateStdAccessibleObject(window_, objectId_, __uuidof(IAccessible), reinterpret_cast<void**>(&standard_));
    return standard_;
}

HRESULT TAccessibleObject::ChildId(const VARIANT& child, LONG& id) const
{
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > ChildCount()) return E_INVALIDARG;
    id = child.lVal;
    return S_OK;
}

LONG TAccessibleObject::State(LONG child) const
{
    TWinControl* control = Control();
    LONG state = 0;
    if (!control->Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    if (!IsWindowVisible(window_)) state |= STATE_SYSTEM_INVISIBLE;
    if (control->CanFocus()) state |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == window_) state |= STATE_SYSTEM_FOCUSED;
    return state;
}

std::vector<HWND> TAccessibleObject::ChildWindows() const
{
    std::vector<HWND> windows;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) windows.push_back(child);
    return windows;
}

TRect TAccessibleObject::ScreenRect() const
{
    RECT client{};
    GetClientRect(window_, &client);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return TRect(client);
}

// ---- IUnknown and IDispatch ----

HRESULT TAccessibleObject::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TAccessibleObject::AddRef() { return InterlockedIncrement(&refs_); }

ULONG TAccessibleObject::Release()
{
    const LONG refs = InterlockedDecrement(&refs_);
    if (refs == 0) delete this;
    return refs;
}

HRESULT TAccessibleObject::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

// ---- IAccessible ----

HRESULT TAccessibleObject::AnswerText(const VARIANT& child, BSTR* out, const TTextOf& text) const
{
    if (!out) return E_POINTER;
    *out = nullptr;
    LONG id = 0;
    if (HRESULT result = ChildId(child, id); FAILED(result)) return result;
    // An empty text is no text.
    const std::wstring answer = text(*this, id);
    if (answer.empty()) return S_FALSE;
    *out = SysAllocStringLen(answer.data(), static_cast<UINT>(answer.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT TAccessibleObject::AnswerNumber(const VARIANT& child, VARIANT* out,
                                        LONG (TAccessibleObject::*number)(LONG) const) const
{
    if (!out) return E_POINTER;
    VariantInit(out);
    LONG id = 0;
    if (HRESULT result = ChildId(child, id); FAILED(result)) return result;
    SetChildVariant(out, (this->*number)(id));
    return S_OK;
}

HRESULT TAccessibleObject::get_accParent(IDispatch** parent)
{
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    IAccessible* standard = Standard();
    return standard ? standard->get_accParent(parent) : S_FALSE;
}

HRESULT TAccessibleObject::get_accChildCount(long* count)
{
    if (!count) return E_POINTER;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    *count = ChildCount() + static_cast<long>(ChildWindows().size());
    return S_OK;
}

HRESULT TAccessibleObject::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4 || child.lVal <= CHILDID_SELF) return E_INVALIDARG;
    // Simple children have no object of their own: their parent answers for them.
    if (child.lVal <= ChildCount()) return S_FALSE;
    const std::vector<HWND> windows = ChildWindows();
    const size_t index = static_cast<size_t>(child.lVal - ChildCount() - 1);
    if (index >= windows.size()) return E_INVALIDARG;
    return AccessibleObjectFromWindow(windows[index], OBJID_WINDOW, __uuidof(IDispatch),
                                      reinterpret_cast<void**>(object));
}

HRESULT TAccessibleObject::get_accName(VARIANT child, BSTR* name)
{
    return AnswerText(child, name, &TAccessibleObject::Name);
}

HRESULT TAccessibleObject::get_accValue(VARIANT child, BSTR* value)
{
    if (!value) return E_POINTER;
    *value = nullptr;
    LONG id = 0;
    if (HRESULT result = ChildId(child, id); FAILED(result)) return result;
    std::optional<std::wstring> text = Value(id);
    if (!text) return DISP_E_MEMBERNOTFOUND;
    *value = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
    return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT TAccessibleObject::get_accDescription(VARIANT child, BSTR* description)
{
    return AnswerText(child, description, &TAccessibleObject::Description);
}

HRESULT TAccessibleObject::get_accRole(VARIANT child, VARIANT* role)
{
    return AnswerNumber(child, role, &TAccessibleObject::Role);
}

HRESULT TAccessibleObject::get_accState(VARIANT child, VARIANT* state)
{
    return AnswerNumber(child, state, &TAccessibleObject::State);
}

HRESULT TAccessibleObject::get_accHelp(VARIANT child, BSTR* help)
{
    return AnswerText(child, help, [](const TAccessibleObject&, LONG) { return std::wstring(); });
}

HRESULT TAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, long* topic)
{
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT TAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return AnswerText(child, shortcut, &TAccessibleObject::KeyboardShortcut);
}

HRESULT TAccessibleObject::get_accFocus(VARIANT* child)
{
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (LONG focused = FocusedChild()) {
        SetChildVariant(child, focused);
        return S_OK;
    }
    const HWND focus = GetFocus();
    if (focus && focus != window_ && IsChild(window_, focus)) return ReturnWindowObject(focus, child);
    if (focus != window_) return ReturnNoChild(child);
    SetChildVariant(child, CHILDID_SELF);
    return S_OK;
}

HRESULT TAccessibleObject::get_accSelection(VARIANT* children)
{
    if (!children) return E_POINTER;
    VariantInit(children);
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    for (LONG id = 1; id <= ChildCount(); ++id) {
        if (State(id) & STATE_SYSTEM_SELECTED) {
            SetChildVariant(children, id);
            return S_OK;
        }
    }
    return ReturnNoChild(children);
}

HRESULT TAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return AnswerText(child, action, &TAccessibleObject::DefaultAction);
}

HRESULT TAccessibleObject::accSelect(long flags, VARIANT child) { return DISP_E_MEMBERNOTFOUND; }

HRESULT TAccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (!left || !top || !width || !height) return E_POINTER;
    LONG id = 0;
    if (HRESULT result = ChildId(child, id); FAILED(result)) return result;
    const TRect rect = id == CHILDID_SELF ? ScreenRect() : ChildScreenRect(id);
    *left = rect.Left;
    *top = rect.Top;
    *width = rect.Width();
    *height = rect.Height();
    return S_OK;
}

HRESULT TAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    if (!end) return E_POINTER;
    VariantInit(end);
    LONG id = 0;
    if (HRESULT result = ChildId(start, id); FAILED(result)) return result;
    const LONG count = ChildCount();
    LONG target = 0;
    if (id == CHILDID_SELF) {
        if (direction == NAVDIR_FIRSTCHILD)
            target = count > 0 ? 1 : 0;
        else if (direction == NAVDIR_LASTCHILD)
            target = count;
        else if (IAccessible* standard = Standard())
            return standard->accNavigate(direction, start, end);
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
        target = id < count ? id + 1 : 0;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
        target = id - 1;
    }
    if (target <= 0) return ReturnNoChild(end);
    SetChildVariant(end, target);
    return S_OK;
}

HRESULT TAccessibleObject::accHitTest(long left, long top, VARIANT* child)
{
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    const TPoint point{static_cast<int>(left), static_cast<int>(top)};
    if (!ScreenRect().Contains(point)) return ReturnNoChild(child);
    POINT client{point.X, point.Y};
    ScreenToClient(window_, &client);
    const HWND under = ChildWindowFromPointEx(window_, client, CWP_SKIPINVISIBLE);
    if (under && under != window_) return ReturnWindowObject(under, child);
    SetChildVariant(child, ChildAtScreen(point));
    return S_OK;
}

HRESULT TAccessibleObject::accDoDefaultAction(VARIANT child)
{
    LONG id = 0;
    if (HRESULT result = ChildId(child, id); FAILED(result)) return result;
    if (DefaultAction(id).empty()) return DISP_E_MEMBERNOTFOUND;
    PostMessageW(window_, CM_ACCESSIBLEACTION, static_cast<WPARAM>(id), static_cast<LPARAM>(objectId_));
    return S_OK;
}

HRESULT TAccessibleObject::put_accValue(VARIANT child, BSTR value)
{
    LONG id = 0;
    if (HRESULT result = ChildId(child, id); FAILED(result)) return result;
    return SetValue(id, value ? std::wstring(value, SysStringLen(value)) : std::wstring()) ? S_OK
                                                                                           : DISP_E_MEMBERNOTFOUND;
}

LRESULT AccessibleObjectResult(TAccessibleObject* object, WPARAM wParam)
{
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return result;
}

#pragma once

#include "framework/Application.h"
#include "framework/Handles.h"
#include "framework/Types.h"

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

// What an assistive tool reads from a window's accessible objects, asked in process through the
// window's WM_GETOBJECT answer, as a tool asks.

using TAccessible = TComRef<IAccessible>;

inline TAccessible AccessibleOf(HWND window, LONG objectId = OBJID_CLIENT)
{
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(window, objectId, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    return TAccessible(object);
}

inline VARIANT ChildVariant(LONG child)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

// One of the texts about a child (get_accName, get_accValue, ...); "<none>" when there is none.
using TTextQuery = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
inline std::wstring AccText(IAccessible* object, TTextQuery query, LONG child = CHILDID_SELF)
{
    BSTR text = nullptr;
    HRESULT result = (object->*query)(ChildVariant(child), &text);
    std::wstring taken = SUCCEEDED(result) && text ? std::wstring(text, SysStringLen(text)) : L"<none>";
    SysFreeString(text);
    return taken;
}
inline std::wstring AccName(IAccessible* object, LONG child = CHILDID_SELF)
{
    return AccText(object, &IAccessible::get_accName, child);
}

// The role or state of a child (get_accRole, get_accState); -1 when there is none.
using TNumberQuery = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT*);
inline LONG AccNumber(IAccessible* object, TNumberQuery query, LONG child = CHILDID_SELF)
{
    VARIANT number;
    VariantInit(&number);
    return SUCCEEDED((object->*query)(ChildVariant(child), &number)) && number.vt == VT_I4 ? number.lVal : -1;
}
inline LONG AccRole(IAccessible* object, LONG child = CHILDID_SELF)
{
    return AccNumber(object, &IAccessible::get_accRole, child);
}
inline LONG AccState(IAccessible* object, LONG child = CHILDID_SELF)
{
    return AccNumber(object, &IAccessible::get_accState, child);
}

inline long AccChildCount(IAccessible* object)
{
    long count = -1;
    object->get_accChildCount(&count);
    return count;
}

inline TRect AccLocation(IAccessible* object, LONG child = CHILDID_SELF)
{
    long left = 0, top = 0, width = 0, height = 0;
    object->accLocation(&left, &top, &width, &height, ChildVariant(child));
    return TRect::FromSize(left, top, width, height);
}

// The simple child at a screen point (0: the object itself); -1 for none or a child window.
inline LONG AccHitTest(IAccessible* object, TPoint point)
{
    VARIANT hit;
    VariantInit(&hit);
    const LONG child = object->accHitTest(point.X, point.Y, &hit) == S_OK && hit.vt == VT_I4 ? hit.lVal : -1;
    VariantClear(&hit);
    return child;
}

// The window of a child that is a window of its own; none otherwise.
inline HWND AccChildWindow(IAccessible* object, LONG child)
{
    IDispatch* dispatch = nullptr;
    if (object->get_accChild(ChildVariant(child), &dispatch) != S_OK || !dispatch) return nullptr;
    TComRef<IDispatch> held(dispatch);
    IAccessible* childObject = nullptr;
    dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&childObject));
    TAccessible childHeld(childObject);
    HWND window = nullptr;
    if (childObject) WindowFromAccessibleObject(childObject, &window);
    return window;
}

// The accessibility events of this process while it lives, recorded as they are raised (in
// context, so also those about a window that is gone before a message loop runs).
class TWinEventLog {
public:
    struct TEvent {
        DWORD Event;
        HWND Window;
        LONG Child;
        bool operator==(const TEvent&) const = default;
    };

    TWinEventLog()
    {
        current_ = this;
        hook_ = SetWinEventHook(EVENT_MIN, EVENT_MAX, GetModuleHandleW(nullptr), &Record, GetCurrentProcessId(), 0,
                                WINEVENT_INCONTEXT);
    }
    ~TWinEventLog()
    {
        UnhookWinEvent(hook_);
        current_ = nullptr;
    }
    TWinEventLog(const TWinEventLog&) = delete;
    TWinEventLog& operator=(const TWinEventLog&) = delete;

    // The events of the client areas, in order.
    const std::vector<TEvent>& Events() const { return events_; }
    int Count(DWORD event, HWND window, LONG child = CHILDID_SELF) const
    {
        return static_cast<int>(std::count(events_.begin(), events_.end(), TEvent{event, window, child}));
    }

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
    {
        if (current_ && object == OBJID_CLIENT) current_->events_.push_back({event, window, child});
    }

    static inline TWinEventLog* current_ = nullptr;
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<TEvent> events_;
};

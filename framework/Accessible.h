#pragma once

#include "framework/Types.h"

#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TWinControl;

// Describes one window of ours to assistive tools through the platform's accessibility interface:
// the object itself (child id 0, CHILDID_SELF) and its simple children, numbered from 1, such as the
// items of a list or a menu. It holds only the window handle and finds its control again on every
// call, so an object that a tool keeps after the control went answers that it is no longer
// connected. Parent and siblings come from the platform's standard object of the window; the
// visible child windows follow the simple children, as the platform's objects of those windows.
class TAccessibleObject : public IAccessible {
public:
    // objectId: the id of the part the window was asked for (OBJID_CLIENT, or a scroll bar's).
    TAccessibleObject(HWND window, LONG objectId);
    TAccessibleObject(const TAccessibleObject&) = delete;
    TAccessibleObject& operator=(const TAccessibleObject&) = delete;

    HWND Window() const { return window_; }
    LONG ObjectId() const { return objectId_; }

    // What the object says of itself (child 0) or of a child; asked only while Connected().
    virtual LONG Role(LONG child) const = 0;
    virtual std::wstring Name(LONG child) const { return {}; }
    // None when the element has no value.
    virtual std::optional<std::wstring> Value(LONG child) const { return std::nullopt; }
    virtual std::wstring Description(LONG child) const { return {}; }
    // The base gives the window's own: unavailable, invisible, focusable and focused.
    virtual LONG State(LONG child) const;
    virtual std::wstring KeyboardShortcut(LONG child) const { return {}; }
    // The name of the default action; empty when there is none.
    virtual std::wstring DefaultAction(LONG child) const { return {}; }
    // Does what the default action says. accDoDefaultAction only posts the request to the window,
    // so that the tool's call returns before a click runs (which may show a modal dialog).
    virtual void RunDefaultAction(LONG child) {}
    // Takes a value as typing it would; false when the element takes none.
    virtual bool SetValue(LONG child, const std::wstring& value) { return false; }
    virtual LONG ChildCount() const { return 0; }
    virtual TRect ChildScreenRect(LONG child) const { return {}; }
    // The child at a screen point inside the object; 0 for none.
    virtual LONG ChildAtScreen(TPoint point) const { return 0; }
    // The child that has the keyboard focus; 0 for none.
    virtual LONG FocusedChild() const { return 0; }
    // The base gives the window's client area.
    virtual TRect ScreenRect() const;
    // The window is still the control's that the object was made for.
    virtual bool Connected() const;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: tools call the accessibility methods directly; there is no type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    virtual ~TAccessibleObject();
    // The control of the window, or none.
    TWinControl* Control() const;
    // The visible child windows, topmost first.
    std::vector<HWND> ChildWindows() const;
    // The platform's standard object of the window, made on first use; none when it cannot be.
    IAccessible* Standard() const;
    // The id a VARIANT names, checked against the simple children: S_OK, or the error to return.
    HRESULT ChildId(const VARIANT& child, LONG& id) const;

private:
    using TTextOf = std::function<std::wstring(const TAccessibleObject&, LONG)>;
    // A text or a number about the child a VARIANT names, after the checks every answer makes.
    HRESULT AnswerText(const VARIANT& child, BSTR* out, const TTextOf& text) const;
    HRESULT AnswerNumber(const VARIANT& child, VARIANT* out, LONG (TAccessibleObject::*number)(LONG) const) const;

    LONG refs_ = 1;
    HWND window_;
    LONG objectId_;
    mutable IAccessible* standard_ = nullptr;
};

// Answers WM_GETOBJECT with object, handing over the reference it was made with.
LRESULT AccessibleObjectResult(TAccessibleObject* object, WPARAM wParam);

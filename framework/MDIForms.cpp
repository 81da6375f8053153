// Multiple-document forms: a parent with the platform's client window, and the children that live
// in it with the platform's default handling.
#include "framework/Forms.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"

#include <utility>

namespace {

// The identifiers the client window gives its children: far above those of the controls.
constexpr UINT kFirstChildId = 0xFF00;

// The platform's client window of a multiple-document parent, which holds the children.
class TMDIClientWindow : public TWinControl {
public:
    explicit TMDIClientWindow(TCustomForm* form) : TWinControl(form)
    {
        SetAlign(alClient);
        SetParent(form);
    }

protected:
    void CreateParams(TCreateParams& params) override
    {
        TWinControl::CreateParams(params);
        params.StandardClass = L"MDICLIENT";
        params.ClassName = L"Folvane.MDIClient";
        // A child moved past an edge can be scrolled back into reach; children keep the styles
        // their forms give them (the buttons they have among them).
        params.Style |= WS_HSCROLL | WS_VSCROLL | MDIS_ALLCHILDSTYLES;
        params.ExStyle |= WS_EX_CLIENTEDGE;
        params.Param = &create_;
    }

private:
    CLIENTCREATESTRUCT create_{nullptr, kFirstChildId};
};

} // namespace

void TCustomForm::SetFormStyle(TFormStyle style)
{
    if (style == formStyle_) return;
    formStyle_ = style;
    if (formStyle_ == fsMDIForm && !mdiClient_)
        mdiClient_ = new TMDIClientWindow(this);
    else if (formStyle_ != fsMDIForm && mdiClient_)
        delete std::exchange(mdiClient_, nullptr);
    RecreateWnd();
}

HWND TCustomForm::MDIClientWindow() const
{
    return mdiClient_ && mdiClient_->HandleAllocated() ? mdiClient_->Handle() : nullptr;
}

TCustomForm* TCustomForm::MDIParent() const
{
    if (auto* owner = dynamic_cast<TCustomForm*>(Owner()); owner && owner->FormStyle() == fsMDIForm) return owner;
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    return main && main != this && main->FormStyle() == fsMDIForm ? main : nullptr;
}

std::vector<TCustomForm*> TCustomForm::MDIChildList() const
{
    std::vector<TCustomForm*> children;
    HWND client = MDIClientWindow();
    if (!client) return children;
    for (HWND window = GetWindow(client, GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT))
        if (auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(window));
            form && form->FormStyle() == fsMDIChild)
            children.push_back(form);
    return children;
}

int TCustomForm::MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }

TCustomForm* TCustomForm::MDIChildren(int index) const { return MDIChildList().at(index); }

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    HWND client = MDIClientWindow();
    if (!client) return nullptr;
    auto active = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(TWinControl::FindControl(active));
}

bool TCustomForm::IsShortCut(WPARAM key, LPARAM keyData)
{
    if (OnShortCut && OnShortCut(key, keyData)) return true;
    if (formStyle_ != fsMDIChild) return false;
    TCustomForm* parent = MDIParent();
    return parent && parent->IsShortCut(key, keyData);
}

void TCustomForm::DefaultHandler(TMessage& message)
{
    if (!HandleAllocated()) return;
    HWND window = Handle();
    if (formStyle_ == fsMDIChild) {
        message.Result = DefMDIChildProcW(window, message.Msg, message.WParam, message.LParam);
        return;
    }
    // The frame procedure would give the client window the whole client area, the part of the
    // form's aligned controls included; the alignment places it instead.
    HWND client = formStyle_ == fsMDIForm ? MDIClientWindow() : nullptr;
    if (client && message.Msg != WM_SIZE) {
        message.Result = DefFrameProcW(window, client, message.Msg, message.WParam, message.LParam);
        return;
    }
    TWinControl::DefaultHandler(message);
}

void TCustomForm::DestroyWnd()
{
    HWND window = Handle();
    // The client window keeps the list of its children and the active one: it destroys its child.
    if (formStyle_ == fsMDIChild && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        SendMessageW(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
        return;
    }
    TWinControl::DestroyWnd();
}

// The frame's part in multiple-document forms: the parent's client window drawn through the parent's
// frame, and a maximized child that gives up its frame, puts its buttons on the parent's menu bar
// and its caption into the parent's.
#include "skinwin/KsForms.h"

#include "framework/Messages.h"
#include "skinwin/KsMenus.h"

#include <utility>
#include <vector>

namespace {

std::vector<TKsCustomForm*> ChildFrames(const TCustomForm& parent)
{
    std::vector<TKsCustomForm*> frames;
    for (int i = 0; i < parent.MDIChildCount(); ++i)
        if (TKsCustomForm* frame = FormFrameOf(parent.MDIChildren(i))) frames.push_back(frame);
    return frames;
}

// Maximized, on the screen and staying: such a child shows on its parent's menu bar and caption.
bool ShownMaximized(const TKsCustomForm& frame)
{
    HWND window = frame.FormWindow();
    TCustomForm* form = frame.Form();
    return frame.MaximizedMDIChild() && window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) &&
           !frame.IsDestroying() && form && !form->IsDestroying();
}

} // namespace

// Watches the parent's client window: its background is the parent frame's client background, it
// lets the mouse through to the form where no child is, and it has no sunken edge.
class TKsCustomForm::TMDIClientHook : public TKsHook {
public:
    explicit TMDIClientHook(TKsCustomForm* frame) : TKsHook(frame), frame_(frame) {}

    void RemoveEdge()
    {
        HWND client = ClientWindow();
        if (!client) return;
        LONG_PTR style = GetWindowLongPtrW(client, GWL_EXSTYLE);
        if (!(style & WS_EX_CLIENTEDGE)) return;
        SetWindowLongPtrW(client, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
        SetWindowPos(client, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }

protected:
    void BeforeMessage(TMessage& message) override
    {
        if (message.Msg != WM_ERASEBKGND) return;
        MarkHandled();
        message.Result = 1;
        HWND client = ClientWindow();
        HWND form = frame_->FormWindow();
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        if (!client || !form || !dc) return;
        // The form paints in its own client coordinates.
        POINT offset{0, 0};
        MapWindowPoints(client, form, &offset, 1);
        POINT previous;
        OffsetViewportOrgEx(dc, -offset.x, -offset.y, &previous);
        SendMessageW(form, WM_ERASEBKGND, message.WParam, kEraseFromControlBit);
        SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
    }

    void AfterMessage(TMessage& message) override
    {
        if (message.Msg == WM_NCHITTEST && message.Result == HTCLIENT) message.Result = HTTRANSPARENT;
        if (message.Msg == WM_SIZE) FitMaximizedChild();
    }

    void WindowRecreated() override { RemoveEdge(); }

private:
    HWND ClientWindow() const
    {
        TWinControl* client = Control();
        return client && client->HandleAllocated() ? client->Handle() : nullptr;
    }

    // A maximized child keeps filling the client window.
    void FitMaximizedChild()
    {
        TCustomForm* parent = frame_->Form();
        if (!parent) return;
        for (TKsCustomForm* child : ChildFrames(*parent))
            if (child->MaximizedMDIChild()) child->SetFormBounds(child->MaximizedRect());
    }

    TKsCustomForm* frame_;
};

bool TKsCustomForm::MDIChild() const
{
    TCustomForm* form = Form();
    return form && form->FormStyle() == fsMDIChild;
}

bool TKsCustomForm::MaximizedMDIChild() const { return states_.State() == kwsMaximized && MDIChild(); }

void TKsCustomForm::HookParentClient()
{
    TCustomForm* form = Form();
    if (!form || !form->MDIClient() || clientHook_) return;
    auto* hook = new TMDIClientHook(this);
    clientHook_ = hook;
    hook->SetControl(form->MDIClient());
    hook->RemoveEdge();
}

TKsCustomForm* TKsCustomForm::ParentFrame() const
{
    TCustomForm* form = Form();
    return form ? FormFrameOf(form->MDIParent()) : nullptr;
}

TKsCustomMenuBar* TKsCustomForm::ParentMenuBar() const
{
    TKsCustomForm* parent = ParentFrame();
    return parent ? parent->MenuBar() : nullptr;
}

HWND TKsCustomForm::ParentClientWindow() const
{
    HWND window = FormWindow();
    return window && MDIChild() ? GetParent(window) : nullptr;
}

TRect TKsCustomForm::ParentClientArea() const
{
    RECT area{0, 0, 0, 0};
    if (HWND client = ParentClientWindow()) GetClientRect(client, &area);
    return TRect(area);
}

void TKsCustomForm::UpdateMDIState()
{
    HWND window = FormWindow();
    if (!window || !MDIChild()) return;
    // Without its frame the child's client area is the whole window, and it has no region.
    if (MaximizedMDIChild() != mdiFrameHidden_) {
        mdiFrameHidden_ = MaximizedMDIChild();
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RebuildWindowRegion();
    }
    const bool shown = ShownMaximized(*this);
    if (shown) {
        // One child of a parent is maximized at a time, and it is the active one.
        if (TCustomForm* parent = Form()->MDIParent())
            for (TKsCustomForm* sibling : ChildFrames(*parent))
                if (sibling != this && sibling->FrameWindowState() == kwsMaximized) sibling->Restore();
        HWND client = GetParent(window);
        if (reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) != window)
            SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    }
    if (TKsCustomMenuBar* bar = ParentMenuBar()) {
        if (shown)
            bar->SetMDIChildFrame(this);
        else if (bar->MDIChildFrame() == this)
            bar->SetMDIChildFrame(nullptr);
    }
    UpdateParentCaption();
}

void TKsCustomForm::UpdateParentCaption()
{
    SetParentSuffix(ShownMaximized(*this) ? L" - [" + CaptionText() + L"]" : std::wstring());
}

void TKsCustomForm::SetParentSuffix(const std::wstring& suffix)
{
    TCustomForm* form = Form();
    TCustomForm* parent = suffixParent_ ? suffixParent_ : form ? form->MDIParent() : nullptr;
    if (suffixParent_) RemoveFreeNotification(std::exchange(suffixParent_, nullptr));
    if (!parent || parent->IsDestroying() || !parent->HandleAllocated()) return;
    std::wstring caption = parent->Caption();
    // Only the suffix this child added goes: the parent's own text may hold brackets too.
    if (!parentSuffix_.empty() && caption.ends_with(parentSuffix_))
        caption.erase(caption.size() - parentSuffix_.size());
    parentSuffix_ = suffix;
    caption += suffix;
    if (!suffix.empty()) {
        suffixParent_ = parent;
        FreeNotification(parent);
    }
    if (caption != parent->Caption()) parent->SetCaption(caption);
}

// The active child of a parent whose maximized child loses the activation is maximized in turn.
void TKsCustomForm::MDIActivate(HWND activated)
{
    HWND window = FormWindow();
    if (!window || activated != window) return;
    if (states_.State() == kwsMaximized) {
        UpdateMDIState();
        return;
    }
    TCustomForm* parent = Form()->MDIParent();
    if (!parent) return;
    for (TKsCustomForm* sibling : ChildFrames(*parent)) {
        if (sibling != this && ShownMaximized(*sibling)) {
            PostMessageW(window, CM_FRAMEMAXIMIZE, 0, 0);
            return;
        }
    }
}

// The accessible objects of the menu bar and the popup menu windows: the items of their view are
// the children, the selected one has the focus while the menu is worked.
#include "skinwin/KsMenuAccessible.h"

#include "skinctl/KsAccessible.h"
#include "skinwin/KsMenuForm.h"
#include "skinwin/KsMenus.h"

namespace {

// The child id of an item of view: its index among the view's items, counted from 1.
LONG ChildOf(const TKsItemView& view, const TKsCustomItem* item)
{
    return view.Item() && item ? view.Item()->IndexOf(item) + 1 : 0;
}

// Takes item as a click on it would: while the menu is worked the views below the item's view
// close (one Escape each) and Enter chooses it; a menu bar that is not tracking starts with it.
void ChooseItem(TKsItemView& view, TKsCustomItem& item)
{
    if (!view.Tracking()) {
        if (auto* bar = dynamic_cast<TKsCustomMenuBar*>(view.Control())) bar->EnterTracking(&item);
        return;
    }
    const HWND window = view.Control()->Handle();
    view.SetSelected(&item);
    for (TKsItemView* below = view.ChildView(); below; below = below->ChildView())
        PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
}

// A menu bar or popup window of class C: the window itself with role ownRole, its view's items as
// menu items.
template <typename C> class TItemViewAccessible : public TKsControlAccessible<C> {
public:
    using TKsControlAccessible<C>::TKsControlAccessible;
    using TKsControlAccessible<C>::Target;

    LONG Role(LONG child) const override
    {
        if (child == CHILDID_SELF) return OwnRole();
        return ItemOf(child).IsSeparator() ? ROLE_SYSTEM_SEPARATOR : ROLE_SYSTEM_MENUITEM;
    }
    std::wstring Name(LONG child) const override
    {
        if (child != CHILDID_SELF) return StripHotkey(ItemOf(child).Caption());
        const TKsCustomItem* parent = View().Item();
        return parent && parent->Parent() ? StripHotkey(parent->Caption()) : std::wstring();
    }
    LONG State(LONG child) const override
    {
        if (child == CHILDID_SELF) return TKsControlAccessible<C>::State(child) & ~STATE_SYSTEM_FOCUSABLE;
        const TKsCustomItem& item = ItemOf(child);
        LONG state = STATE_SYSTEM_FOCUSABLE;
        if (!item.Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
        if (!item.Visible()) state |= STATE_SYSTEM_INVISIBLE;
        if (item.Checked()) state |= STATE_SYSTEM_CHECKED;
        if (item.Count() > 0) state |= STATE_SYSTEM_HASPOPUP;
        if (View().Selected() == &item) state |= STATE_SYSTEM_HOTTRACKED;
        if (FocusedChild() == child) state |= STATE_SYSTEM_FOCUSED;
        return state;
    }
    std::wstring KeyboardShortcut(LONG child) const override
    {
        const wchar_t key = child == CHILDID_SELF ? 0 : AcceleratorChar(ItemOf(child).Caption());
        if (!key) return {};
        return View().IsMenuBar() ? std::wstring(L"Alt+") + key : std::wstring(1, key);
    }
    std::wstring DefaultAction(LONG child) const override
    {
        if (child == CHILDID_SELF) return {};
        const TKsCustomItem& item = ItemOf(child);
        if (item.IsSeparator() || !item.Enabled() || !item.Visible()) return {};
        return item.Count() > 0 ? L"Open" : L"Execute";
    }
    void RunDefaultAction(LONG child) override
    {
        if (!DefaultAction(child).empty()) ChooseItem(View(), ItemOf(child));
    }
    LONG ChildCount() const override { return View().Item() ? View().Item()->Count() : 0; }
    TRect ChildScreenRect(LONG child) const override
    {
        TControl* coordinates = View().CoordControl();
        const TRect rect = View().ItemRect(&ItemOf(child));
        if (!coordinates || rect.IsEmpty()) return {};
        const TPoint origin = coordinates->ClientToScreen({0, 0});
        return rect.Offset(origin.X, origin.Y);
    }
    LONG ChildAtScreen(TPoint point) const override { return ChildOf(View(), View().ItemAtScreen(point)); }
    // The selected item while the menu is worked.
    LONG FocusedChild() const override { return View().Tracking() ? ChildOf(View(), View().Selected()) : 0; }

protected:
    virtual LONG OwnRole() const = 0;
    virtual TKsItemView& View() const = 0;

private:
    TKsCustomItem& ItemOf(LONG child) const { return *View().Item()->Items(child - 1); }
};

class TMenuBarAccessible : public TItemViewAccessible<TKsCustomMenuBar> {
public:
    using TItemViewAccessible::TItemViewAccessible;

protected:
    LONG OwnRole() const override { return ROLE_SYSTEM_MENUBAR; }
    TKsItemView& View() const override { return *Target().View(); }
};

class TPopupMenuAccessible : public TItemViewAccessible<TKsPopupWindow> {
public:
    using TItemViewAccessible::TItemViewAccessible;
    // A popup window exists only while it shows its items.
    bool Connected() const override { return TItemViewAccessible::Connected() && Target().View(); }

protected:
    LONG OwnRole() const override { return ROLE_SYSTEM_MENUPOPUP; }
    TKsItemView& View() const override { return *Target().View(); }
};

} // namespace

void AnnounceMenuFocus(TKsItemView& view)
{
    const LONG child = ChildOf(view, view.Selected());
    if (view.Tracking() && child > 0 && view.Control() && view.Control()->HandleAllocated())
        NotifyWinEvent(EVENT_OBJECT_FOCUS, view.Control()->Handle(), OBJID_CLIENT, child);
}

TAccessibleObject* TKsCustomMenuBar::CreateAccessible(LONG objectId)
{
    return objectId == OBJID_CLIENT ? new TMenuBarAccessible(*this, objectId) : nullptr;
}

TAccessibleObject* TKsPopupWindow::CreateAccessible(LONG objectId)
{
    return objectId == OBJID_CLIENT && view_ ? new TPopupMenuAccessible(*this, objectId) : nullptr;
}

// The stand-alone popup menu shown at a point.
#include "skinwin/KsMenus.h"

#include "framework/Application.h"
#include "skinwin/KsMenuForm.h"

namespace {

TKsCustomItem* MakePlainRoot(TComponent* owner) { return new TKsCustomItem(owner); }

TKsCustomPopupMenu* showingMenu = nullptr;

} // namespace

TKsCustomPopupMenu::TKsCustomPopupMenu(TComponent* owner) : TKsCustomPopupMenu(owner, &MakePlainRoot) {}

TKsCustomPopupMenu::TKsCustomPopupMenu(TComponent* owner, TKsCustomItem* (*makeRoot)(TComponent* owner))
    : TComponent(owner)
{
    items_ = makeRoot(this);
    items_->SetContainer(this);
}

TKsCustomPopupMenu::~TKsCustomPopupMenu()
{
    Destroying();
    if (showingMenu == this) showingMenu = nullptr;
}

TKsCustomPopupMenu* TKsCustomPopupMenu::Showing() { return showingMenu; }

void TKsCustomPopupMenu::CloseShowing()
{
    if (!showingMenu) return;
    // Any non-client button message ends a tracking loop and stays queued for the window.
    if (auto* owner = dynamic_cast<TWinControl*>(showingMenu->Owner()); owner && owner->HandleAllocated())
        PostMessageW(owner->Handle(), WM_NCMBUTTONDBLCLK, 0, 0);
    // Asked from a message its own loop dispatched, the menu's loop cannot see that message before
    // the caller's menu has closed: its popups end and disappear now, and its loop leaves when the
    // caller returns to it.
    TKsItemView* innermost = showingMenu->Items()->PopupView();
    if (!innermost) return;
    while (innermost->ChildView()) innermost = innermost->ChildView();
    innermost->EndChainTracking();
    for (TKsItemView* view = innermost; view; view = view->ParentView()) view->Control()->Hide();
}

void TKsCustomPopupMenu::Popup(int x, int y)
{
    if (showingMenu && showingMenu != this) {
        CloseShowing();
        Application->ProcessMessages();
    }
    struct TShowingScope {
        TKsCustomPopupMenu* menu;
        explicit TShowingScope(TKsCustomPopupMenu* showing) : menu(showing) { showingMenu = showing; }
        ~TShowingScope()
        {
            if (showingMenu == menu) showingMenu = nullptr;
        }
    } scope(this);
    PushPopupOptions();
    if (auto* owner = dynamic_cast<TWinControl*>(Owner())) items_->SetOwnerControlTree(owner);
    items_->MarkFirstPopupTree();
    if (OnPopup) OnPopup(this);
    ShowItemPopup(*items_, nullptr, {x, y}, {});
}

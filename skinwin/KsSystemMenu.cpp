// The frame's system menu: its entries, the item tree made of them each time it is shown, and the
// popup that shows it.
#include "skinwin/KsSystemMenu.h"

#include "framework/FlagScope.h"
#include "skinwin/KsFormResources.h"
#include "skinwin/KsMenuForm.h"
#include "skinwin/KsMenus.h"

#include <utility>

std::vector<TKsSystemMenuEntry> SystemMenuEntries(TKsBorderIcons icons, TKsWindowState state)
{
    auto in = [state](std::initializer_list<TKsWindowState> states) {
        for (TKsWindowState s : states)
            if (s == state) return true;
        return false;
    };
    std::vector<TKsSystemMenuEntry> entries;
    if (state != kwsNormal) entries.push_back({scRestore, L"&Restore", scNone, smiRestore});
    if (icons.Contains(kbiMinimize) && in({kwsNormal, kwsMaximized, kwsRollup}))
        entries.push_back({scMinimize, L"Mi&nimize", scNone, smiMinimize});
    if (icons.Contains(kbiMaximize) && in({kwsNormal, kwsRollup}))
        entries.push_back({scMaximize, L"Ma&ximize", scNone, smiMaximize});
    if (icons.Contains(kbiRollup) && in({kwsNormal, kwsMaximized}))
        entries.push_back({scRollup, L"Ro&llup", scNone, smiRollup});
    if (icons.Contains(kbiTray) && in({kwsNormal, kwsMaximized, kwsRollup}))
        entries.push_back({scTray, L"Minimize to &Tray", scNone, smiTray});
    if (icons.Contains(kbiClose)) {
        if (!entries.empty()) entries.push_back({scSeparator, L"-", scNone, -1});
        entries.push_back({scClose, L"&Close", static_cast<TShortCut>(scAlt | VK_F4), smiClose});
    }
    return entries;
}

TKsCustomItem* TKsCustomForm::CreateItem(TComponent* owner) { return new TKsCustomItem(owner); }

// The tree of the entries the icons and the state offer now, with the popup settings of the system
// menu. It stays until the next showing: a chosen entry runs once the menu has closed.
void TKsCustomForm::BuildSystemMenu()
{
    delete std::exchange(systemMenu_, nullptr);
    TKsCustomItem* root = CreateItem(this);
    systemMenu_ = root;
    root->SetImages(&SystemMenuImages());
    for (const TKsSystemMenuEntry& entry : SystemMenuEntries(borderIcons_, states_.State())) {
        TKsCustomItem* item = CreateItem(this);
        item->SetCaption(entry.Caption);
        item->SetShortCut(entry.ShortCut);
        item->SetImageIndex(entry.ImageIndex);
        const TKsSystemCommand command = entry.Command;
        item->OnClick = [this, command](TKsCustomItem*) { RunSystemCommand(command); };
        root->Add(item);
    }
    root->SetOwnerControlTree(Form());
    ApplyPopupOptions(*root, {sysMenuBlend_, sysMenuBlendValue_, sysMenuDropShadow_, sysMenuShadowWidth_,
                              sysMenuShowAnimation_, sysMenuShowAnimationTime_});
    // The window of a menu shown from the notification area is not in front by itself.
    root->SetBringToForegroundTree(states_.State() == kwsTray);
}

void TKsCustomForm::RunSystemCommand(int command)
{
    switch (command) {
    case scRestore:
        Restore();
        break;
    case scMinimize:
        Minimize();
        break;
    case scMaximize:
        Maximize();
        break;
    case scRollup:
        RollUp();
        break;
    case scTray:
        MinimizeToTray();
        break;
    case scClose:
        Close();
        break;
    default:
        break;
    }
}

// At the cursor while the window is in the notification area, else at the point of the click that
// asked for it, else at the client area's origin, under the system-menu icon. In the notification
// area the tray menu, when there is one, is shown instead.
void TKsCustomForm::ShowSystemMenu()
{
    HWND window = FormWindow();
    // The menu that is showing is the one its tree is; a second request waits for it to close.
    if (!window || systemMenuShowing_) return;
    TFlagScope showing(systemMenuShowing_);
    POINT at;
    if (states_.State() == kwsTray) {
        GetCursorPos(&at);
    } else if (popupPoint_) {
        at = {popupPoint_->X, popupPoint_->Y};
    } else {
        at = {0, 0};
        ClientToScreen(window, &at);
    }
    if (states_.State() == kwsTray && trayMenu_) {
        trayMenu_->Items()->SetBringToForegroundTree(true);
        trayMenu_->Popup(at.x, at.y);
        return;
    }
    BuildSystemMenu();
    ShowItemPopup(*systemMenu_, nullptr, {at.x, at.y}, {});
}

bool TKsCustomForm::FormShortCut(WPARAM key, LPARAM keyData)
{
    if (menuBar_ && menuBar_->IsShortCut(key, keyData)) return true;
    return previousShortCut_ && previousShortCut_(key, keyData);
}

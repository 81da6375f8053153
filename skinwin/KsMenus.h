#pragma once

#include "framework/Controls.h"
#include "framework/ImgList.h"
#include "skin/raster/KsBitmap.h"
#include "skinctl/KsControls.h"
#include "skinwin/KsItems.h"

class TKsCustomMenuBar;

// The row of top-level items on a menu bar; their popups open below them.
class TKsMenuBarView : public TKsItemView {
public:
    explicit TKsMenuBarView(TKsCustomMenuBar* bar);

protected:
    // With AutoSize the bar takes the height of the items plus its frame.
    void SizeComputed(int width, int height) override;
    void Repaint() override;

private:
    TKsCustomMenuBar* bar_;
};

// The settings a menu bar or popup menu gives the popups of its items.
struct TKsMenuPopupOptions {
    bool PopupBlend = false;
    int PopupBlendValue = 150;
    bool DropShadow = false;
    int ShadowWidth = 4;
    TKsAnimation ShowAnimation = kaNone;
    int ShowAnimationTime = 300;
};

// Gives the whole item tree of root the popup settings.
void ApplyPopupOptions(TKsCustomItem& root, const TKsMenuPopupOptions& options);

// The popup settings that a menu bar and a popup menu hold, given to their item tree whenever one
// of them changes.
class TKsMenuPopupProperties {
public:
    bool PopupBlend() const { return options_.PopupBlend; }
    void SetPopupBlend(bool value) { Change(&TKsMenuPopupOptions::PopupBlend, value); }
    int PopupBlendValue() const { return options_.PopupBlendValue; }
    void SetPopupBlendValue(int value) { Change(&TKsMenuPopupOptions::PopupBlendValue, value); }
    bool DropShadow() const { return options_.DropShadow; }
    void SetDropShadow(bool value) { Change(&TKsMenuPopupOptions::DropShadow, value); }
    int ShadowWidth() const { return options_.ShadowWidth; }
    void SetShadowWidth(int value) { Change(&TKsMenuPopupOptions::ShadowWidth, value); }
    TKsAnimation ShowAnimation() const { return options_.ShowAnimation; }
    void SetShowAnimation(TKsAnimation value) { Change(&TKsMenuPopupOptions::ShowAnimation, value); }
    int ShowAnimationTime() const { return options_.ShowAnimationTime; }
    void SetShowAnimationTime(int value) { Change(&TKsMenuPopupOptions::ShowAnimationTime, value); }
    void SetPopupOptions(const TKsMenuPopupOptions& options);

protected:
    virtual ~TKsMenuPopupProperties() = default;
    // The root of the item tree that takes the settings.
    virtual TKsCustomItem* PopupRoot() const = 0;
    // Gives the item tree every setting held here.
    void PushPopupOptions();

private:
    template <typename T> void Change(T TKsMenuPopupOptions::*setting, T value)
    {
        options_.*setting = value;
        PushPopupOptions();
    }

    TKsMenuPopupOptions options_;
};

// A menu bar control: the top-level items of Items() in a row, their children in popup windows.
// This class paints the plain look of the system's menu colours; TSeSkinMenuBar paints through a skin.
class TKsCustomMenuBar : public TKsCustomControl, public TKsMenuPopupProperties {
public:
    explicit TKsCustomMenuBar(TComponent* owner);
    ~TKsCustomMenuBar() override;

    // The root item, whose children are the bar's entries; owned by the bar.
    TKsCustomItem* Items() const { return items_; }
    TKsMenuBarView* View() const { return view_; }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TCustomImageList* Images() const { return items_->Images(); }
    void SetImages(TCustomImageList* images) { items_->SetImages(images); }
    bool OnToolbar() const { return onToolbar_; }

    // Runs the menu from the keyboard or the mouse until it closes; only the first popup opened
    // during it animates. With choose, the menu starts on that item, opening its popup.
    void EnterTracking(TKsCustomItem* choose = nullptr);
    // Clicks the item whose shortcut the key message makes; true when there was one.
    bool IsShortCut(WPARAM key, LPARAM keyData);

    // The bar of a multiple-document parent holds four hidden items: the window icon first, and
    // the close, restore and minimize buttons at the right end. They show while a child is
    // maximized, and act on that child's frame.
    TKsCustomForm* MDIChildFrame() const { return mdiChildFrame_; }
    void SetMDIChildFrame(TKsCustomForm* frame);
    // The four items in that order (window icon, close, restore, minimize); none on other bars.
    const std::vector<TKsCustomItem*>& MDIItems() const { return mdiItems_; }

    // The area the items are laid out in, in client coordinates.
    TRect ContentRect() const override;
    // The bar is worked by the mouse and the menu keys; the focus stays where it is.
    bool CanFocus() const override { return false; }

protected:
    // Makes the root item: the skinned bar makes a skinned one.
    TKsCustomMenuBar(TComponent* owner, TKsCustomItem* (*makeRoot)(TComponent* owner));
    TKsCustomItem* PopupRoot() const override { return items_; }

    // Paints the bar's background (without items) into buffer.
    virtual void PaintBackground(TKsBitmap& buffer);
    // An item of the tree changed (outside loading).
    virtual void ItemsChanged();

    // The background, then the items at the content rectangle's origin.
    void PaintFace() override;
    // The items start at the content rectangle's top left corner.
    void UpdateOrigin();
    void Loaded() override;
    void BoundsChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    bool DialogChar(wchar_t key) override;
    void CreateParams(TCreateParams& params) override;
    void Notification(TComponent* component, TOperation operation) override;
    // A menu bar with its items as children.
    TAccessibleObject* CreateAccessible(LONG objectId) override;

private:
    friend class TKsMenuBarView;
    void PushToItems();
    void AdaptHeight(int itemsHeight);
    void AddMDIItems();

    TKsCustomItem* (*makeItem_)(TComponent* owner);
    std::vector<TKsCustomItem*> mdiItems_;
    TKsCustomForm* mdiChildFrame_ = nullptr;
    TKsCustomItem* items_ = nullptr;
    TKsMenuBarView* view_ = nullptr;
    bool autoSize_ = true;
    bool onToolbar_ = false;
    bool sizing_ = false;
    TKsItemContainerRegistration registration_{&ItemContainerRoot<TKsCustomMenuBar>};
};

// A menu of items shown at a point, such as a context menu. Showing it blocks until it closes.
class TKsCustomPopupMenu : public TComponent, public TKsMenuPopupProperties {
public:
    explicit TKsCustomPopupMenu(TComponent* owner);
    ~TKsCustomPopupMenu() override;

    TKsCustomItem* Items() const { return items_; }
    TCustomImageList* Images() const { return items_->Images(); }
    void SetImages(TCustomImageList* images) { items_->SetImages(images); }

    // Runs before the items are shown.
    std::function<void(TKsCustomPopupMenu* sender)> OnPopup;

    // Shows the items at the screen point until the menu closes. A popup menu that is showing
    // already is asked to close first.
    virtual void Popup(int x, int y);
    // The popup menu that is showing now, or none.
    static TKsCustomPopupMenu* Showing();
    // Asks the showing popup menu to close.
    static void CloseShowing();

protected:
    TKsCustomPopupMenu(TComponent* owner, TKsCustomItem* (*makeRoot)(TComponent* owner));
    TKsCustomItem* PopupRoot() const override { return items_; }

private:

    TKsCustomItem* items_ = nullptr;
    TKsItemContainerRegistration registration_{&ItemContainerRoot<TKsCustomPopupMenu>};
};

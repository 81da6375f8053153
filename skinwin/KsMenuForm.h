#pragma once

#include "framework/Forms.h"
#include "skin/raster/KsBitmap.h"
#include "skinwin/KsForms.h"
#include "skinwin/KsItems.h"

#include <memory>

class TKsPopupWindow;

// The frame of a popup menu window: no caption, three plain one-pixel borders around the item area,
// which the popup's view paints as the client background. It keeps the window the menu belongs to
// looking active while the menu is used.
class TKsPopupForm : public TKsCustomForm {
public:
    explicit TKsPopupForm(TKsPopupWindow* window);

    TKsPopupWindow* PopupWindow() const { return window_; }
    // The window whose caption stays active while the popup is used.
    TWinControl* ActivationTarget() const;

    // The widths of the frame on the left, top, right and bottom.
    virtual TRect ClientMargins();
    TRect ClientRect() override;
    SIZE MinimumSize() override { return {10, 10}; }
    void PaintFrame(TKsBitmap& buffer) override;
    // The items, painted by the popup's view into the area inside the frame.
    void PaintClientBackground(TKsBitmap& buffer) override;

protected:
    // Activation and clicks on the popup send the target a request to look active.
    void BeforeMessage(TMessage& message) override;

private:
    TKsPopupWindow* window_;
};

// The vertical view of a popup window's items.
class TKsPopupView : public TKsItemView {
public:
    TKsPopupView(TKsPopupWindow* window, TKsCustomItem* item, TKsItemView* parentView);

protected:
    // The window takes the size of the item area plus its frame (and shadow).
    void SizeComputed(int width, int height) override;
    void Repaint() override;

private:
    TKsPopupWindow* window_;
};

// A borderless, topmost tool window that shows a list of items and never takes the focus. It lives
// only while its items are shown.
class TKsPopupWindow : public TCustomForm {
public:
    explicit TKsPopupWindow(TComponent* owner);
    ~TKsPopupWindow() override;

    // Makes the frame and the view that shows item's children, opened from parentView.
    void Prepare(TKsCustomItem* item, TKsItemView* parentView);
    // Lets the frame finish loading, which hooks this window (making it at its bounds when it has
    // no window yet).
    void LoadFrame();

    TKsPopupForm* PopupForm() const { return frame_; }
    TKsPopupView* View() const { return view_; }

protected:
    // Makes the frame; the skinned window makes a skinned one.
    virtual TKsPopupForm* CreatePopupForm();

    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    // A popup menu with its items as children.
    TAccessibleObject* CreateAccessible(LONG objectId) override;

private:
    TKsPopupForm* frame_ = nullptr;
    TKsPopupView* view_ = nullptr;
};

// Shows the children of item in a popup window and runs its tracking loop until it closes
// (blocking); nothing happens when the item has none. parentView is the view that opens it (none
// for a popup menu at a point); itemRect is the item's screen rectangle, or empty for a popup at
// the point at.
void ShowItemPopup(TKsCustomItem& item, TKsItemView* parentView, TPoint at, const TRect& itemRect);

// Where a popup of the given size goes inside area: at a point (itemRect empty), below a menu-bar
// item, or to the right of a popup item, flipped to the other side at the right and bottom edges.
TPoint PlacePopup(SIZE size, TPoint at, const TRect& itemRect, bool fromMenuBar, const TRect& area);

#pragma once

#include "framework/Forms.h"
#include "skin/raster/KsBitmap.h"
#include "skinwin/KsItems.h"

#include <memory>

class TKsPopupWindow;

// The frame of a popup menu window: three plain one-pixel borders around the item area, which the
// popup's view paints as the client background. It keeps the window the menu belongs to looking
// active while the menu is used.
class TKsPopupForm : public TComponent {
public:
    TKsPopupForm(TComponent* owner, TKsPopupWindow* window);

    TKsPopupWindow* PopupWindow() const { return window_; }
    // The window whose caption stays active while the popup is used.
    TWinControl* ActivationTarget() const;

    bool StayOnTop() const { return stayOnTop_; }
    void SetStayOnTop(bool value) { stayOnTop_ = value; }
    bool Blend() const { return blend_; }
    void SetBlend(bool value) { blend_ = value; }
    int BlendValue() const { return blendValue_; }
    void SetBlendValue(int value) { blendValue_ = value; }
    bool DropShadow() const { return dropShadow_; }
    void SetDropShadow(bool value) { dropShadow_ = value; }
    int ShadowWidth() const { return shadowWidth_; }
    void SetShadowWidth(int value) { shadowWidth_ = value; }
    TKsAnimation ShowAnimation() const { return showAnimation_; }
    void SetShowAnimation(TKsAnimation value) { showAnimation_ = value; }
    int ShowAnimationTime() const { return showAnimationTime_; }
    void SetShowAnimationTime(int value) { showAnimationTime_ = value; }

    // The widths of the frame on the left, top, right and bottom.
    virtual TRect ClientMargins();
    // The item area inside a frame of the window's size.
    TRect ClientRect();
    SIZE MinimumSize() { return {10, 10}; }
    virtual void PaintFrame(TKsBitmap& buffer);
    // The items, painted by the popup's view into the area inside the frame.
    void PaintClientBackground(TKsBitmap& buffer);
    // Paints frame and items into the frame's buffer and copies that to dc: a drawing context of
    // the client area or of the whole window.
    void PaintTo(HDC dc, bool client);
    // The popup window was (de)activated or clicked: the target keeps its active caption.
    void KeepTargetActive();

private:
    TKsPopupWindow* window_;
    TKsBitmap buffer_;
    bool stayOnTop_ = false;
    bool blend_ = false;
    int blendValue_ = 150;
    bool dropShadow_ = false;
    int shadowWidth_ = 4;
    TKsAnimation showAnimation_ = kaNone;
    int showAnimationTime_ = 400;
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

    TKsPopupForm* PopupForm() const { return frame_; }
    TKsPopupView* View() const { return view_; }

protected:
    // Makes the frame; the skinned window makes a skinned one.
    virtual TKsPopupForm* CreatePopupForm();

    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    bool EraseBackground(HDC dc, LPARAM flags) override;

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

#pragma once

#include "framework/Component.h"
#include "framework/Controls.h"
#include "framework/Exceptions.h"
#include "framework/ImgList.h"
#include "framework/ShortCuts.h"
#include "framework/Types.h"
#include "skin/raster/KsBitmap.h"
#include "skinwin/KsEffects.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// "Toolbar item already inserted": an item that already has a parent was given another one.
class EKsItemError : public Exception {
public:
    using Exception::Exception;
};

// What an item stands for. Only the menu bar of a multiple-document parent has the last four,
// which act on its maximized child.
enum TKsItemKind { ikNormal, ikClose, ikRestore, ikMinimize, ikWindowIcon };

// The settings of the popups that show an item's children, pushed down the tree by the menu bar
// or popup menu that holds it.
struct TKsPopupSettings {
    bool DropShadow = false;
    int ShadowWidth = 4;
    TKsAnimation ShowAnimation = kaNone;
    int ShowAnimationTime = 300;
};

class TKsCustomForm;
class TKsCustomItem;
class TKsItemView;
class TKsPopupWindow;
using TKsItemEvent = std::function<void(TKsCustomItem* sender)>;

// One entry of a menu and the list of entries under it. An item owns its children: destroying it
// destroys them and takes it out of its parent. The caption "-" makes a separator; "&" marks the
// accelerator character. This class measures and paints itself in the plain look of the system's
// menu colours; TSeSkinItem paints through a skin.
class TKsCustomItem : public TComponent {
public:
    explicit TKsCustomItem(TComponent* owner);
    ~TKsCustomItem() override;

    // The tree.
    int Count() const { return static_cast<int>(items_.size()); }
    TKsCustomItem* Items(int index) const { return items_.at(index); }
    int IndexOf(const TKsCustomItem* item) const;
    TKsCustomItem* Parent() const { return parent_; }
    // The top of the tree this item is in.
    TKsCustomItem* Root();
    // Raise EKsItemError "Toolbar item already inserted" when item already has a parent.
    void Add(TKsCustomItem* item);
    void Insert(int index, TKsCustomItem* item);
    void Remove(TKsCustomItem* item);
    void Delete(int index);

    // The menu bar or popup menu a top-level item belongs to, else the parent item.
    TComponent* ParentComponent() const;
    // Moves the item under parent: an item, or a registered container (the root item of a menu
    // bar or popup menu).
    void SetParentComponent(TComponent* parent);
    // Set by a container on its root item: the container that holds the tree.
    TComponent* Container() const { return container_; }
    void SetContainer(TComponent* container) { container_ = container; }

    // Properties.
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    bool IsSeparator() const { return caption_ == L"-"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    // The images of the item, or when it has none those of its tree's root.
    TCustomImageList* Images() const;
    void SetImages(TCustomImageList* images);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint) { hint_ = hint; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut) { shortCut_ = shortCut; }
    // The children are shown in a scrolling window of ScrollCount items (0: all of them).
    bool Scrolled() const { return scrolled_; }
    void SetScrolled(bool scrolled) { scrolled_ = scrolled; }
    int ScrollCount() const { return scrollCount_; }
    void SetScrollCount(int count) { scrollCount_ = count; }
    // The translucency of the popup that shows the children; setting it sets it on the whole subtree.
    bool PopupBlend() const { return popupBlend_; }
    void SetPopupBlend(bool blend);
    int PopupBlendValue() const { return popupBlendValue_; }
    void SetPopupBlendValue(int value);

    TKsItemKind Kind() const { return kind_; }
    void SetKind(TKsItemKind kind) { kind_ = kind; }
    // The frame of the maximized multiple-document child that an item of the last four kinds acts
    // on (and whose icon the window icon shows); none while no child is maximized.
    TKsCustomForm* ChildFrame() const { return childFrame_; }
    void SetChildFrame(TKsCustomForm* frame) { childFrame_ = frame; }
    // The first child shown by the scrolling window.
    int FirstVisibleIndex() const { return firstVisible_; }
    void SetFirstVisibleIndex(int index) { firstVisible_ = index; }

    // Settings pushed down the tree by the container.
    const TKsPopupSettings& PopupSettings() const { return popupSettings_; }
    void SetPopupSettingsTree(const TKsPopupSettings& settings);
    // Only the first popup opened after this mark animates (one tracking of a bar or popup menu).
    void MarkFirstPopupTree();
    void ClearFirstPopupTree();
    bool AnimatesOnlyFirstPopup() const { return animateFirstOnly_; }
    bool FirstPopupPending() const { return firstPopup_; }
    bool OnToolbar() const { return onToolbar_; }
    void SetOnToolbarTree(bool onToolbar);
    TBiDiMode ItemBiDiMode() const { return biDiMode_; }
    void SetItemBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }
    // The windowed control the menu belongs to: popups are placed on its monitor and its form's frame
    // keeps its look while they show.
    TWinControl* OwnerControl() const { return ownerControl_; }
    void SetOwnerControlTree(TWinControl* control);
    // The view that shows this item's children while their popup is open, or none.
    TKsItemView* PopupView() const { return popupView_; }
    void SetPopupView(TKsItemView* view) { popupView_ = view; }
    // Popups of this tree are brought to the foreground (a menu of the notification-area icon).
    bool BringToForeground() const { return bringToForeground_; }
    void SetBringToForegroundTree(bool value);

    // Told about every real change of the visible properties and of the child list; the root's
    // callback hears about changes anywhere in its tree.
    TKsItemEvent OnChange;
    TKsItemEvent OnClick;
    // Called before the children are shown; it may change them.
    TKsItemEvent OnBeforeDropDown;

    // Asks for the click to run once the menu windows have closed: nothing for a separator, an
    // item with children or a disabled item.
    virtual void Click();
    // Runs the click now.
    void RunClick();
    // The first child whose caption has key as its accelerator, or none.
    TKsCustomItem* FindByAccelerator(wchar_t key) const;
    // Clicks the item whose ShortCut the key message makes, and each item on the path down to it;
    // true when one was found. An error of a click is reported and counts as handled.
    bool ExecuteShortCut(WPARAM key, LPARAM keyData);

    // The size of the item as view shows it, measured with the fonts selected into buffer.
    virtual SIZE Measure(TKsBitmap& buffer, const TKsItemView& view);
    // Paints the item into rect of buffer; mouseDriven tells a hot selection from a keyboard one.
    virtual void Paint(TKsBitmap& buffer, const TKsItemView& view, bool mouseDriven, bool selected, const TRect& rect);
    // The popup window that shows this item's children.
    virtual TKsPopupWindow* CreatePopupWindow(TKsItemView* parentView);

protected:
    void Notification(TComponent* component, TOperation operation) override;
    // The tree's container hears once more about an item read from a form: it was measured with
    // the plain look while the item was still being read.
    void Loaded() override;
    void Changed();
    // True while neither loading nor being destroyed: only then are changes announced.
    bool Announces() const;

private:
    template <typename Value> void SetAndAnnounce(Value& field, const Value& value);
    // A click posted for this item that has not run yet is dropped when the item goes.
    static void ForgetPendingClicks(TKsCustomItem* item);
    void ForEachInTree(const std::function<void(TKsCustomItem&)>& action);
    TKsCustomItem* FindShortCutPath(TShortCut shortCut, std::vector<int>& path);

    std::vector<TKsCustomItem*> items_;
    TKsCustomItem* parent_ = nullptr;
    TComponent* container_ = nullptr;

    std::wstring caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int imageIndex_ = -1;
    TCustomImageList* images_ = nullptr;
    int helpContext_ = 0;
    std::wstring hint_;
    TShortCut shortCut_ = scNone;
    bool scrolled_ = false;
    int scrollCount_ = 0;
    bool popupBlend_ = false;
    int popupBlendValue_ = 150;

    TKsItemKind kind_ = ikNormal;
    TKsCustomForm* childFrame_ = nullptr;
    int firstVisible_ = 0;
    TKsPopupSettings popupSettings_;
    bool animateFirstOnly_ = false;
    bool firstPopup_ = false;
    bool onToolbar_ = false;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TWinControl* ownerControl_ = nullptr;
    bool bringToForeground_ = false;
    TKsItemView* popupView_ = nullptr;
};

enum TKsViewOrientation { voVertical, voHorizontal };

// Lays out, paints and drives one list of items: the children of Item(), in a column (a popup) or
// a row (the menu bar). Its tracking loop gives menus their mouse and keyboard behaviour; the loop
// of a popup runs inside the loop of the view that opened it, the two linked as parent and child.
class TKsItemView : public TComponent {
public:
    TKsItemView(TComponent* owner, TKsViewOrientation orientation, bool menuBar);
    ~TKsItemView() override;

    TKsCustomItem* Item() const { return item_; }
    void SetItem(TKsCustomItem* item);
    TKsViewOrientation Orientation() const { return orientation_; }
    // Popups of a bar's items open below them, others to the right.
    bool IsMenuBar() const { return menuBar_; }
    // The control painted on, and the one whose client coordinates the item rectangles are in.
    TWinControl* Control() const { return control_; }
    void SetControl(TWinControl* control) { control_ = control; }
    TControl* CoordControl() const { return coordControl_ ? coordControl_ : control_; }
    void SetCoordControl(TControl* control) { coordControl_ = control; }
    TKsItemView* ParentView() const { return parentView_; }
    void SetParentView(TKsItemView* view) { parentView_ = view; }
    TKsItemView* ChildView() const { return childView_; }
    void SetChildView(TKsItemView* view) { childView_ = view; }
    // The bitmap items are measured with (and painted into by the control).
    TKsBitmap* PaintBuffer() const { return paintBuffer_; }
    void SetPaintBuffer(TKsBitmap* buffer) { paintBuffer_ = buffer; }
    // Where the item area starts inside the control.
    TPoint Origin() const { return origin_; }
    void SetOrigin(TPoint origin) { origin_ = origin; }

    TKsCustomItem* Selected() const { return selected_; }
    // Selects item (or none) and repaints when that changes the selection.
    void SetSelected(TKsCustomItem* item);
    // The selected item's popup is open: a new selection opens its popup at once.
    bool Dropped() const { return dropped_; }
    void SetDropped(bool dropped) { dropped_ = dropped; }
    bool Tracking() const { return tracking_; }

    // The size of the item area; the control is told through SizeComputed.
    SIZE ComputeSize();
    // The item's rectangle in the coordinate control's client coordinates; empty for an item that
    // is hidden.
    TRect ItemRect(const TKsCustomItem* item) const;
    // The item whose rectangle holds the screen point on this view's own window, or none.
    TKsCustomItem* ItemAtScreen(TPoint screenPoint) const;
    // Selects the item under the screen point. Outside every item the selection is cleared, except
    // while tracking, when it stays. True when the selection changed.
    bool Hit(TPoint screenPoint);
    // Paints the visible items inside the scrolling window onto buffer.
    virtual void PaintItems(TKsBitmap& buffer);
    // Moves the selection to the next or previous selectable item, wrapping around and scrolling
    // the window along.
    void SelectNext();
    void SelectPrevious();
    // Opens the popup of the selected item when it is enabled and has children (blocking until it
    // closes); true when it opened.
    bool OpenSelectedPopup();
    // The modal loop that drives the menu until it is closed, an item is chosen or the view loses
    // the mouse capture. With choose, that item is selected first and taken as Enter takes it: its
    // popup opens, or it is clicked.
    void Track(TKsCustomItem* choose = nullptr);
    // Ends the tracking of this view and of every view it was opened from.
    void EndChainTracking();

    // The children shown in the scrolling window: [first, last) by index, hidden ones included.
    int WindowFirst() const;
    int WindowEnd() const;

protected:
    // The item area has this size: the control adapts to it.
    virtual void SizeComputed(int width, int height) {}
    virtual void Repaint();

private:
    class TTrackingLoop;
    bool Selectable(int index) const;
    void Step(bool forward);
    void ScrollTo(int index, bool wrappedToLast);
    SIZE MeasureItem(TKsCustomItem* item) const;
    TKsBitmap& MeasureBuffer() const;

    TKsCustomItem* item_ = nullptr;
    TKsViewOrientation orientation_;
    bool menuBar_;
    TWinControl* control_ = nullptr;
    TControl* coordControl_ = nullptr;
    TKsItemView* parentView_ = nullptr;
    TKsItemView* childView_ = nullptr;
    TKsBitmap* paintBuffer_ = nullptr;
    mutable std::unique_ptr<TKsBitmap> measureBuffer_;
    TPoint origin_;
    TKsCustomItem* selected_ = nullptr;
    bool dropped_ = false;
    bool tracking_ = false;
    // Lives as long as the view: a tracking loop notices that dispatching a message freed it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Registers the class C (a menu bar or popup menu with a root item, reached through
// ItemContainerRoot) as a container that items read from a form can be placed in, for as long as
// an instance of it lives. The containers hold one of these as a member.
class TKsItemContainerRegistration {
public:
    using TRootOf = TKsCustomItem* (*)(TComponent* component);
    explicit TKsItemContainerRegistration(TRootOf rootOf);
    ~TKsItemContainerRegistration();
    TKsItemContainerRegistration(const TKsItemContainerRegistration&) = delete;
    TKsItemContainerRegistration& operator=(const TKsItemContainerRegistration&) = delete;

private:
    TRootOf rootOf_;
};

// The root item of component when it is a C, else none: the lookup a container class registers.
template <typename C> TKsCustomItem* ItemContainerRoot(TComponent* component)
{
    auto* container = dynamic_cast<C*>(component);
    return container ? container->Items() : nullptr;
}

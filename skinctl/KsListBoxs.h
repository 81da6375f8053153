#pragma once

#include "framework/Canvas.h"
#include "skinctl/KsControls.h"
#include "skinctl/KsListBoxItems.h"
#include "skinctl/KsListLayout.h"
#include "skinctl/KsListSelection.h"
#include "skinctl/KsListStyles.h"
#include "skinctl/KsScrollBars.h"

#include <functional>

class TKsCustomListBox;

enum TOwnerDrawStateFlag : unsigned { odSelected = 1, odFocused = 2 };
using TOwnerDrawState = unsigned;
// The owner draws item index into rect on canvas (the list's paint buffer).
using TDrawItemEvent =
    std::function<void(TKsCustomListBox& listBox, TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)>;
// The owner gives the height of item index (lbOwnerDrawVariable).
using TMeasureItemEvent = std::function<void(TKsCustomListBox& listBox, TCanvas& canvas, int index, int& height)>;

// A list of text items that the control draws itself, with a scroll bar of its own (vertical, or
// horizontal in column mode), single or multiple selection, three-state check boxes, word wrap,
// owner drawing and lists of the installed fonts or the colour names.
class TKsCustomListBox : public TKsCustomControl {
public:
    explicit TKsCustomListBox(TComponent* owner);
    ~TKsCustomListBox() override;

    TEkListBoxItems& Items() { return items_; }
    const TEkListBoxItems& Items() const { return items_; }

    int ItemIndex() const { return selection_.ItemIndex(); }
    // Clamps, scrolls the item into view, gives the selection an anchor and re-applies it.
    void SetItemIndex(int index);
    bool Selected(int index) const { return selection_.Selected(index); }
    void SetSelected(int index, bool selected);
    int SelCount() const { return selection_.SelCount(); }
    int Anchor() const { return selection_.Anchor(); }
    TKsCheckState ItemState(int index) const { return selection_.CheckState(index); }
    void SetItemState(int index, TKsCheckState state);
    bool Checked(int index) const { return ItemState(index) != kcsUnchecked; }
    bool ItemEnabled(int index) const { return selection_.CheckEnabled(index); }
    void SetItemEnabled(int index, bool enabled);

    // The first item shown (the first column shown in column mode): the scroll bar's position.
    int TopIndex() const;
    void SetTopIndex(int index);

    bool MultiSelect() const { return selection_.MultiSelect(); }
    void SetMultiSelect(bool multiSelect);
    bool AllowGrayed() const { return selection_.AllowGrayed(); }
    void SetAllowGrayed(bool allowGrayed);
    bool ShowCheckBoxes() const { return showCheckBoxes_; }
    void SetShowCheckBoxes(bool show);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool AlwaysShowScrlBar() const { return alwaysShowScrlBar_; }
    void SetAlwaysShowScrlBar(bool always);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    TKsListBoxStyle ListStyle() const { return listStyle_; }
    void SetListStyle(TKsListBoxStyle style);
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool sorted) { items_.SetSorted(sorted); }
    TFontDevice FontDevice() const { return fontDevice_; }
    void SetFontDevice(TFontDevice device);
    TFontType FontType() const { return fontType_; }
    void SetFontType(TFontType type);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    // A key that moves the item index fires OnClick (on by default).
    bool ClickOnKeyMove() const { return clickOnKeyMove_; }
    void SetClickOnKeyMove(bool on) { clickOnKeyMove_ = on; }
    // The item under the pointer becomes the item index and the selection without a press, as in
    // a drop-down list.
    bool FollowMouse() const { return followMouse_; }
    void SetFollowMouse(bool follow) { followMouse_ = follow; }
    using TKsCustomControl::BorderStyle;
    void SetBorderStyle(TBorderStyle style) override;

    TKsCustomScrollBar* ScrollBar() const { return scrollBar_; }
    const TKsListLayout& Layout() const { return layout_; }
    // The item and the check box under the pointer (-1: none).
    int HotItem() const { return hotItem_; }
    int HotCheckBox() const { return hotCheckBox_; }
    bool MouseSelecting() const { return mouseSelecting_; }

    // Where painting puts an item now (check-box cell and item rectangle); false when not shown.
    bool ItemPlace(int index, TKsItemPlace& place) const;
    // The first and last item shown entirely.
    void VisibleRange(int& first, int& last) const;
    // The area the items lie in, inside the border.
    TRect ItemArea() const { return ContentRect(); }
    // The height of item index in a column of columnWidth pixels.
    virtual int ItemHeightOf(int index, int columnWidth);
    virtual int CheckBoxCellWidth() const { return 15; }
    static constexpr int kCheckBoxSize = 13;
    // The items a page key moves over: the bar's page, or the items shown when heights vary.
    int PageItems() const;

    // Draws item index into rect of target as the list draws it in state (selected, focused); the
    // combo box shows its chosen item with it.
    void PaintItemTo(TKsBitmap& target, int index, const TRect& rect, TOwnerDrawState state)
    {
        PaintItem(target, index, rect, state);
    }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    // Every key the list gets, before it handles it; setting key to 0 takes it away from the list.
    std::function<void(WORD& key, TShiftState shift)> OnKeyDown;
    // The items changed (after the list followed them), also inside an update bracket.
    std::function<void()> OnItemsChanged;

protected:
    // One request to the window system however many changes come before the next paint.
    void RequestRepaint() override;

    virtual void PaintItem(TKsBitmap& target, int index, const TRect& rect, TOwnerDrawState state);
    // Draws the 13 x 13 check box of item index at rect.
    virtual void PaintCheckBox(int index, const TRect& rect);
    // Fills the area the items lie on.
    virtual void PaintFrame();
    virtual void PaintItems();
    // Puts a scroll bar of the skinned kind in place of the plain one.
    void ReplaceScrollBar(TKsCustomScrollBar* scrollBar);
    // Lays out the scroll bar and the columns again for the current items, size and settings.
    void LayoutScrollBar();
    TKsListLayoutInput LayoutInput();

    // The text, mark or swatch of an item in its list style, over a background already drawn. The
    // skinned look keeps the font's colour, processes "&" prefixes and draws no focus rectangle.
    void PaintItemContent(TKsBitmap& target, int index, const TRect& rect, const TFont& font, TOwnerDrawState state,
                          bool skinned);
    bool OwnerDraws() const;
    void CallDrawItem(TKsBitmap& target, int index, const TRect& rect, TOwnerDrawState state);

    void PaintFace() override;
    void WndProc(TMessage& message) override;
    void BoundsChanged() override;
    void ChangeScale(int fromDpi, int toDpi) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint screenPoint) override;
    void MouseLeave() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    void ItemsChanged(const TEkListChange& change);
    // Sets the item index and scrolls it into view; the selection is left to the caller.
    void MoveItemIndex(int index);
    void ApplySelection();
    void ScrollIntoView(int index);
    void ScrollBarChanged();
    void ScrollBarScroll(TKsScrollCode code, int& position);
    // Recomputes the hot item and check box at the pointer; true when either changed.
    bool HitTest(int x, int y);
    void StopAutoRepeat();
    void EndMouseSelecting();
    void FillFontList();
    void FillColorList();
    void CycleCheck(int index);

    TEkListBoxItems items_;
    bool alwaysShowScrlBar_ = false;
    bool showCheckBoxes_ = false;
    bool flat_ = true;
    bool mouseSelecting_ = false;
    int hotItem_ = -1;
    int hotCheckBox_ = -1;
    int lastX_ = -1;
    int lastY_ = -1;
    TKsListSelection selection_;
    int columns_ = 0;
    bool wordWrap_ = false;
    TKsListBoxStyle listStyle_ = lbStandard;
    TFontDevice fontDevice_ = fdScreen;
    TFontType fontType_ = ftAll;
    bool clickOnKeyMove_ = true;
    bool followMouse_ = false;
    bool paintPending_ = false;
    int itemHeight_ = 16;
    TKsCustomScrollBar* scrollBar_ = nullptr;
    TKsListLayout layout_;
};

// The lines a wheel notch scrolls by the user's setting (0 counts as 1), or 0 when a notch scrolls a
// page: "a screen at a time", or more lines than a notch's 120 units can share out.
int WheelNotchLines();
// The lines a wheel delta scrolls: delta div (120 div lines), or whole pages of pageSize.
int WheelSteps(int delta, int pageSize);

// The 12 x 12 mark of a TrueType family from the program's bitmap resource KS_TRUETYPE, its magenta
// transparent; empty when the program carries no such resource.
const TKsBitmap& TrueTypeMark();

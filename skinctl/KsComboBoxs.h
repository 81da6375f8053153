#pragma once

#include "framework/Forms.h"
#include "framework/Timer.h"
#include "skinctl/KsComboCompletion.h"
#include "skinctl/KsEdits.h"
#include "skinctl/KsListBoxs.h"

#include <functional>
#include <string>

enum TKsComboStyle { kcsDropDown, kcsDropDownList };
enum TKsComboButtonAlign { cbaLeft, cbaRight };

class TKsCustomComboBox;

// The borderless, topmost tool window the combo box's list is shown in while dropped down. Keys go
// to the list, which hands Escape, Enter, Space, F4 and Alt+arrows to the combo box first. Losing
// the activation closes it; while active it keeps the combo box's form drawn active.
class TKsComboWindow : public TCustomForm {
public:
    TKsComboWindow(TKsCustomComboBox* combo);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    TKsCustomComboBox* combo_;
};

// An edit with a drop-down button and a list of items shown below it in a window of its own. The
// editable style completes text the user typed, pasted or deleted from the items 100 ms after the
// last such change; the list-only style shows the chosen item in place of a text.
class TKsCustomComboBox : public TKsCustomEdit {
public:
    explicit TKsCustomComboBox(TComponent* owner);
    ~TKsCustomComboBox() override;

    TEkListBoxItems& Items() { return listBox_->Items(); }
    const TEkListBoxItems& Items() const { return listBox_->Items(); }
    TKsCustomListBox* ListBox() const { return listBox_; }

    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    TKsComboStyle ComboStyle() const { return comboStyle_; }
    void SetComboStyle(TKsComboStyle style);
    TKsComboButtonAlign ButtonAlign() const { return buttonAlign_; }
    void SetButtonAlign(TKsComboButtonAlign align);
    // The rows the drop-down window has room for, and their height.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count; }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height) { itemHeight_ = height; }
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool autoComplete) { autoComplete_ = autoComplete; }

    // The list box's own settings.
    bool Sorted() const { return listBox_->Sorted(); }
    void SetSorted(bool sorted) { listBox_->SetSorted(sorted); }
    bool Flat() const { return listBox_->Flat(); }
    void SetFlat(bool flat) { listBox_->SetFlat(flat); }
    TKsListBoxStyle ListStyle() const { return listBox_->ListStyle(); }
    void SetListStyle(TKsListBoxStyle style) { listBox_->SetListStyle(style); }
    bool ShowCheckBoxes() const { return listBox_->ShowCheckBoxes(); }
    void SetShowCheckBoxes(bool show) { listBox_->SetShowCheckBoxes(show); }
    bool WordWrap() const { return listBox_->WordWrap(); }
    void SetWordWrap(bool wordWrap) { listBox_->SetWordWrap(wordWrap); }
    TFontDevice FontDevice() const { return listBox_->FontDevice(); }
    void SetFontDevice(TFontDevice device) { listBox_->SetFontDevice(device); }
    TFontType FontType() const { return listBox_->FontType(); }
    void SetFontType(TFontType type) { listBox_->SetFontType(type); }

    // Opens the drop-down window with the list (closing an open one first), and closes it; closing
    // with choose set takes the list's item as the ItemIndex.
    void OpenDropDownWindow();
    void CloseDropDownWindow(bool choose);
    bool DroppedDown() const { return dropDownWindow_ && dropDownWindow_->Visible(); }
    TKsComboWindow* DropDownWindow() const { return dropDownWindow_; }
    // The drop-down button: the pointer is over it; the drop-down was opened from it.
    bool ButtonHot() const { return buttonHot_; }
    bool ButtonPressed() const { return buttonPressed_; }
    TTimer* CompletionTimer() const { return completionTimer_; }

    std::function<void()> OnDropDown;
    std::function<void()> OnCloseUp;

protected:
    // Shows the list in the drop-down window; hides it and moves it back into the combo box.
    virtual void DropDown();
    virtual void CloseUp();
    virtual int ButtonWidth() { return ScaleValue(15); }
    // Puts a list of the skinned kind in place of the plain one.
    void ReplaceListBox(TKsCustomListBox* listBox);
    // Where the drop-down button lies.
    TRect ButtonRect();
    // The skin object state of the frame (the edit's field state: the focus wins over the pointer)
    // and of the button (8 disabled, 5 hot, 7 focused, else 0).
    TSeState FrameState() const;
    TSeState ButtonState() const;
    // The chosen item in the text area of the list-only style.
    void PaintListItem(TKsBitmap& target);

    TRect TextRect() override;
    // The list-only style shows the chosen item, never the edit's own text or its selection.
    TRect SelectionRect() override;
    void PaintText() override;
    void PaintSelectedText() override;
    void PaintTextBackground(const TRect& rect, TKsBitmap& target) override;
    void Change() override;
    std::wstring GetTextValue() const override;
    void SetTextValue(const std::wstring& text) override;
    void Loaded() override;
    void WndProc(TMessage& message) override;
    void ChangeScale(int fromDpi, int toDpi) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint screenPoint) override;
    void MouseLeave() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    friend class TKsComboWindow;
    void Complete();
    void ListKeyDown(WORD& key, TShiftState shift);
    // Closes the drop-down window once the message being handled is done (the list's click or key,
    // the window's loss of activation); choose takes the list's item.
    void PostCloseUp(bool choose);
    // The step all the keys and the wheel end with: no index below 0, a repaint.
    void IndexStepped();
    void ItemsChanged();
    void SetButtonHot(bool hot);
    bool OverButton(int x, int y) { return ButtonRect().Contains({x, y}); }
    // The item the box stands at: ItemIndex, or in the editable style the item its text names; -1
    // for none. The keys and the wheel step from it.
    int CurrentItem() const;
    // The item the drop-down list highlights first.
    int DropDownStartIndex() const;
    void HighlightStartItem();
    void PlaceDropDownWindow();

    TKsCustomListBox* listBox_ = nullptr;
    TKsComboButtonAlign buttonAlign_ = cbaRight;
    bool buttonHot_ = false;
    bool buttonPressed_ = false;
    int dropDownCount_ = 8;
    int itemHeight_ = 15;
    int itemIndex_ = -1;
    TKsComboStyle comboStyle_ = kcsDropDown;
    bool autoComplete_ = true;
    TKsComboCompletion completion_;
    TTimer* completionTimer_ = nullptr;
    // The text is being set by the program, not edited by the user.
    bool settingText_ = false;
    // The wheel's turn not yet amounting to a whole notch.
    int wheelDelta_ = 0;
    bool savedReadOnly_ = false;
    TKsComboWindow* dropDownWindow_ = nullptr;
    bool closePending_ = false;
    bool chooseOnClose_ = false;
    bool closing_ = false;
};

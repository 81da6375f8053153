#include "skinctl/KsComboBoxs.h"

#include "framework/FlagScope.h"

#include <algorithm>

TKsCustomComboBox::TKsCustomComboBox(TComponent* owner) : TKsCustomEdit(owner)
{
    completionTimer_ = new TTimer(this);
    completionTimer_->SetEnabled(false);
    completionTimer_->SetInterval(100);
    completionTimer_->OnTimer = [this] { Complete(); };
    ReplaceListBox(new TKsCustomListBox(this));
}

TKsCustomComboBox::~TKsCustomComboBox()
{
    Destroying();
    completionTimer_->OnTimer = nullptr;
    listBox_->OnItemsChanged = nullptr;
    listBox_->OnClick = nullptr;
    listBox_->OnKeyDown = nullptr;
    // The drop-down window frees its children; the list is the combo box's own.
    listBox_->SetParent(nullptr);
    delete dropDownWindow_;
}

void TKsCustomComboBox::ReplaceListBox(TKsCustomListBox* listBox)
{
    delete listBox_;
    listBox_ = listBox;
    // While closed the list has no parent: it is no control of the combo box's form.
    listBox_->SetVisible(false);
    listBox_->SetClickOnKeyMove(false);
    listBox_->SetFollowMouse(true);
    listBox_->OnClick = [this] { PostCloseUp(true); };
    listBox_->OnKeyDown = [this](WORD& key, TShiftState shift) { ListKeyDown(key, shift); };
    listBox_->OnItemsChanged = [this] { ItemsChanged(); };
}

void TKsCustomComboBox::Loaded()
{
    TKsCustomEdit::Loaded();
    completion_.Reset();
}

void TKsCustomComboBox::ChangeScale(int fromDpi, int toDpi)
{
    TKsCustomEdit::ChangeScale(fromDpi, toDpi);
    itemHeight_ = RescaleDpi(itemHeight_, fromDpi, toDpi);
}

std::wstring TKsCustomComboBox::GetTextValue() const
{
    if (comboStyle_ == kcsDropDownList && itemIndex_ >= 0 && itemIndex_ < Items().Count())
        return Items().Strings(itemIndex_);
    return TKsCustomEdit::GetTextValue();
}

void TKsCustomComboBox::SetItemIndex(int index)
{
    itemIndex_ = index;
    if (comboStyle_ == kcsDropDown && IsLoading()) return;
    // Below -1 counts as a step before the first item; past the last item (or without items) it
    // is the last one (-1).
    if (itemIndex_ < -1) itemIndex_ = 0;
    itemIndex_ = std::min(itemIndex_, Items().Count() - 1);
    if (comboStyle_ == kcsDropDown && itemIndex_ >= 0) SetText(Items().Strings(itemIndex_));
    if (comboStyle_ == kcsDropDownList && !IsLoading() && OnChange) OnChange();
    Invalidate();
}

void TKsCustomComboBox::ItemsChanged()
{
    // An index past the last item would name an item that is gone.
    int last = Items().Count() - 1;
    if (itemIndex_ > last) {
        itemIndex_ = last;
        Invalidate();
    }
}

void TKsCustomComboBox::SetComboStyle(TKsComboStyle style)
{
    if (style == comboStyle_) return;
    comboStyle_ = style;
    if (style == kcsDropDown) {
        SetReadOnly(savedReadOnly_);
        if (HandleAllocated() && HasFocus()) ShowCaret();
    } else {
        SetItemIndex(0);
        savedReadOnly_ = ReadOnly();
        SetReadOnly(true);
        TKsCustomEdit::SetTextValue(L"");
        HideCaret();
    }
    Invalidate();
}

void TKsCustomComboBox::SetButtonAlign(TKsComboButtonAlign align)
{
    if (align == buttonAlign_) return;
    buttonAlign_ = align;
    Invalidate();
}

void TKsCustomComboBox::SetTextValue(const std::wstring& text)
{
    if (completion_.Running()) {
        TKsCustomEdit::SetTextValue(text);
        return;
    }
    // Text the program puts in (a choice from the list, the keys, the wheel) is not completed, and
    // the completion takes it as seen, so that deleting from it later completes nothing either.
    TFlagScope setting(settingText_);
    completionTimer_->SetEnabled(false);
    TKsCustomEdit::SetTextValue(text);
    completion_.SetLastText(TKsCustomEdit::GetTextValue());
}

void TKsCustomComboBox::Change()
{
    TKsCustomEdit::Change();
    if (IsLoading() || !autoComplete_ || completion_.Running() || settingText_) return;
    // Every change starts the delay again, so the completion waits for a pause in the typing.
    completionTimer_->SetEnabled(false);
    completionTimer_->SetEnabled(true);
}

void TKsCustomComboBox::Complete()
{
    completionTimer_->SetEnabled(false);
    completion_.Run(Text(), Items(), [this](int index, int typedLength) {
        const std::wstring item = Items().Strings(index);
        SetText(item);
        SetSelStart(typedLength);
        SetSelLength(static_cast<int>(item.size()) - typedLength);
    });
}

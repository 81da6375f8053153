#include "skinctl/KsListSelection.h"

#include <algorithm>

void TKsListSelection::SetMultiSelect(bool multiSelect)
{
    multiSelect_ = multiSelect;
    ClearSelected();
}

void TKsListSelection::SetAllowGrayed(bool allowGrayed)
{
    if (allowGrayed == allowGrayed_) return;
    allowGrayed_ = allowGrayed;
    std::replace(checkStates_.begin(), checkStates_.end(), uint8_t{kcsGrayed}, uint8_t{kcsChecked});
}

int TKsListSelection::Clamp(int index) const
{
    index = std::min(index, Count() - 1);
    return index < -1 ? 0 : index;
}

bool TKsListSelection::SetItemIndex(int index)
{
    if (index == itemIndex_) {
        if (anchor_ == -1) anchor_ = index;
        return false;
    }
    int old = itemIndex_;
    itemIndex_ = Clamp(index);
    if (itemIndex_ != -1 && anchor_ == -1) anchor_ = itemIndex_;
    return itemIndex_ != old;
}

void TKsListSelection::Apply()
{
    if (anchor_ == -1) return;
    ClearSelected();
    if (multiSelect_) {
        int low = std::max(std::min(anchor_, itemIndex_), 0);
        int high = std::min(std::max(anchor_, itemIndex_), Count() - 1);
        for (int i = low; i <= high; ++i) SetSelected(i, true);
    } else if (Valid(itemIndex_)) {
        SetSelected(itemIndex_, true);
    }
}

bool TKsListSelection::Selected(int index) const
{
    return Valid(index) && selected_[index];
}

void TKsListSelection::SetSelected(int index, bool selected)
{
    if (!Valid(index) || static_cast<bool>(selected_[index]) == selected) return;
    selected_[index] = selected;
    selCount_ += selected ? 1 : -1;
    if (!selected) return;
    if (setLow_ > setHigh_) {
        setLow_ = setHigh_ = index;
    } else {
        setLow_ = std::min(setLow_, index);
        setHigh_ = std::max(setHigh_, index);
    }
}

void TKsListSelection::ClearSelected()
{
    int high = std::min(setHigh_, Count() - 1);
    if (setLow_ <= high) std::fill(selected_.begin() + setLow_, selected_.begin() + high + 1, uint8_t{0});
    selCount_ = 0;
    setLow_ = 0;
    setHigh_ = -1;
}

TKsCheckState TKsListSelection::CheckState(int index) const
{
    return Valid(index) ? static_cast<TKsCheckState>(checkStates_[index]) : kcsUnchecked;
}

void TKsListSelection::SetCheckState(int index, TKsCheckState state)
{
    if (Valid(index)) checkStates_[index] = state;
}

bool TKsListSelection::CheckEnabled(int index) const
{
    return Valid(index) && checkEnabled_[index];
}

void TKsListSelection::SetCheckEnabled(int index, bool enabled)
{
    if (Valid(index)) checkEnabled_[index] = enabled;
}

bool TKsListSelection::CycleCheck(int index)
{
    if (!CheckEnabled(index)) return false;
    uint8_t& state = checkStates_[index];
    switch (state) {
    case kcsUnchecked:
        state = kcsChecked;
        break;
    case kcsChecked:
        state = allowGrayed_ ? kcsGrayed : kcsUnchecked;
        break;
    default:
        state = kcsUnchecked;
        break;
    }
    return true;
}

void TKsListSelection::Resize(int count)
{
    if (count < Count()) {
        for (int i = std::max(count, setLow_); i <= std::min(setHigh_, Count() - 1); ++i) selCount_ -= selected_[i];
        setHigh_ = std::min(setHigh_, count - 1);
    }
    selected_.resize(count, 0);
    checkEnabled_.resize(count, 1);
    checkStates_.resize(count, kcsUnchecked);
}

void TKsListSelection::ItemsChanged(const TEkListChange& change, int count)
{
    switch (change.Kind) {
    case TEkListChange::Inserted:
        if (change.Index >= 0 && change.Index <= static_cast<int>(checkStates_.size()))
            checkStates_.insert(checkStates_.begin() + change.Index, kcsUnchecked);
        break;
    case TEkListChange::Deleted:
        if (Valid(change.Index)) checkStates_.erase(checkStates_.begin() + change.Index);
        break;
    case TEkListChange::Exchanged:
        if (Valid(change.Index) && Valid(change.Other)) std::swap(checkStates_[change.Index], checkStates_[change.Other]);
        break;
    case TEkListChange::Cleared:
        checkStates_.clear();
        break;
    case TEkListChange::Reordered:
        if (change.Order && change.Order->size() == checkStates_.size()) {
            std::vector<uint8_t> moved;
            moved.reserve(checkStates_.size());
            for (int old : *change.Order) moved.push_back(checkStates_[old]);
            checkStates_ = std::move(moved);
        }
        break;
    default:
        break;
    }
    Resize(count);
    if (count == 0) {
        itemIndex_ = -1;
        anchor_ = -1;
        return;
    }
    itemIndex_ = itemIndex_ == -1 ? 0 : std::min(itemIndex_, count - 1);
    anchor_ = std::min(anchor_, count - 1);
}

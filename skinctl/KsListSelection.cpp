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
    // An empty list has no item to name, whatever a key or a caller asks for.
    if (Count() == 0) return -1;
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
    // The flags of every item, and the item index and anchor, go where their items go.
    auto arrays = [this](auto&& apply) {
        apply(selected_, uint8_t{0});
        apply(checkStates_, uint8_t{kcsUnchecked});
        apply(checkEnabled_, uint8_t{1});
    };
    auto follow = [this](auto&& moved) {
        if (itemIndex_ >= 0) itemIndex_ = moved(itemIndex_);
        if (anchor_ >= 0) anchor_ = moved(anchor_);
    };
    const int at = change.Index;
    switch (change.Kind) {
    case TEkListChange::Inserted:
        if (at < 0 || at > Count()) break;
        arrays([at](std::vector<uint8_t>& flags, uint8_t fresh) { flags.insert(flags.begin() + at, fresh); });
        follow([at](int i) { return i >= at ? i + 1 : i; });
        break;
    case TEkListChange::Deleted:
        if (!Valid(at)) break;
        selCount_ -= selected_[at];
        arrays([at](std::vector<uint8_t>& flags, uint8_t) { flags.erase(flags.begin() + at); });
        follow([at](int i) { return i > at ? i - 1 : i; });
        break;
    case TEkListChange::Exchanged:
        if (!Valid(at) || !Valid(change.Other)) break;
        arrays([&](std::vector<uint8_t>& flags, uint8_t) { std::swap(flags[at], flags[change.Other]); });
        follow([&](int i) { return i == at ? change.Other : i == change.Other ? at : i; });
        break;
    case TEkListChange::Cleared:
        arrays([](std::vector<uint8_t>& flags, uint8_t) { flags.clear(); });
        selCount_ = 0;
        break;
    case TEkListChange::Reordered: {
        if (!change.Order || static_cast<int>(change.Order->size()) != Count()) break;
        const std::vector<int>& order = *change.Order;
        arrays([&](std::vector<uint8_t>& flags, uint8_t) {
            std::vector<uint8_t> moved;
            moved.reserve(flags.size());
            for (int old : order) moved.push_back(flags[old]);
            flags = std::move(moved);
        });
        std::vector<int> place(order.size());
        for (size_t i = 0; i < order.size(); ++i) place[order[i]] = static_cast<int>(i);
        follow([&](int i) { return i < static_cast<int>(place.size()) ? place[i] : i; });
        break;
    }
    default:
        break;
    }
    // The selected flags may lie anywhere now.
    setLow_ = 0;
    setHigh_ = Count() - 1;
    Resize(count);
    if (count == 0) {
        itemIndex_ = -1;
        anchor_ = -1;
        return;
    }
    itemIndex_ = itemIndex_ == -1 ? 0 : std::min(itemIndex_, count - 1);
    anchor_ = std::min(anchor_, count - 1);
}

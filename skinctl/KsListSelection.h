#pragma once

#include "skinctl/KsListBoxItems.h"

#include <cstdint>
#include <vector>

enum TKsCheckState : uint8_t { kcsUnchecked = 0, kcsChecked = 1, kcsGrayed = 2 };

// The item index, the selection anchor and the per-item selected flags, check states and
// check-box-enabled flags of a list box. The selected flags always follow from anchor and item
// index (all items between them with MultiSelect, the item index alone without), except that a
// Ctrl+click toggles one flag directly.
class TKsListSelection {
public:
    int Count() const { return static_cast<int>(selected_.size()); }
    int ItemIndex() const { return itemIndex_; }
    int Anchor() const { return anchor_; }
    void SetAnchor(int anchor) { anchor_ = anchor; }

    bool MultiSelect() const { return multiSelect_; }
    // Clears every selected flag.
    void SetMultiSelect(bool multiSelect);
    bool AllowGrayed() const { return allowGrayed_; }
    // A change turns every grayed box into a checked one.
    void SetAllowGrayed(bool allowGrayed);

    // The index an item-index request for index ends at: at most the last item, and 0 for anything
    // below -1; always -1 with an empty list.
    int Clamp(int index) const;
    // Stores the (clamped) item index; true when it changed. An anchor is set when there is none.
    bool SetItemIndex(int index);
    // Re-derives the selected flags from anchor and item index; nothing while there is no anchor.
    void Apply();

    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    void Toggle(int index) { SetSelected(index, !Selected(index)); }
    int SelCount() const { return selCount_; }

    TKsCheckState CheckState(int index) const;
    void SetCheckState(int index, TKsCheckState state);
    bool CheckEnabled(int index) const;
    void SetCheckEnabled(int index, bool enabled);
    // Unchecked to checked; checked to grayed with AllowGrayed, else to unchecked; grayed to
    // unchecked. Nothing for a disabled box. True when the state changed.
    bool CycleCheck(int index);

    // Brings the per-item arrays in step with the items after change; count is the new item count.
    // The selected flags, check states and check-box-enabled flags move with their items (inserted,
    // deleted, exchanged or sorted), and so do the item index and the anchor, which stay inside the
    // list.
    void ItemsChanged(const TEkListChange& change, int count);

private:
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    void ClearSelected();
    void Resize(int count);

    std::vector<uint8_t> selected_;
    std::vector<uint8_t> checkStates_;
    std::vector<uint8_t> checkEnabled_;
    int selCount_ = 0;
    // The flags set lie within this span, so clearing them does not walk the whole list.
    int setLow_ = 0;
    int setHigh_ = -1;
    int itemIndex_ = -1;
    int anchor_ = -1;
    bool multiSelect_ = false;
    bool allowGrayed_ = false;
};

#pragma once

#include <string>
#include <string_view>
#include <vector>

class TKsEditText;

enum TEditActionKind { eakDeleted = 0, eakInserted = 1 };

// One step of the edit's undo history. Positions are 1-based UTF-16 indexes into the text as it
// was when the step happened.
struct TEditAction {
    TEditActionKind Kind = eakDeleted;
    // Undoing this entry undoes the one below it too (an insertion that replaced a selection).
    bool Chained = false;
    int Position = 1;
    // The removed text of a deletion.
    std::wstring Text;
    // The number of inserted units of an insertion.
    int Count = 0;
};

// The edit's unbounded undo history, last in first out. Runs of typing and runs of deletions at one
// place are merged into single entries.
class TEditActionStack {
public:
    explicit TEditActionStack(TKsEditText& edit) : edit_(edit) {}

    bool Empty() const { return entries_.empty(); }
    int Count() const { return static_cast<int>(entries_.size()); }
    const TEditAction& Top() const { return entries_.back(); }
    void Clear() { entries_.clear(); }

    // text was removed at position. A removal that touches the deletion on top (Backspace before
    // it, Delete at its place) joins that entry.
    void RecordDeletion(int position, std::wstring_view text);
    // count units were inserted at position. Typing right after the insertion on top extends it.
    void RecordInsertion(int position, int count, bool chained);
    // Undoes the top entry, then the entries below it for as long as the undone one was chained.
    void Undo();

private:
    TKsEditText& edit_;
    std::vector<TEditAction> entries_;
};

#include "skinctl/KsEditActionStack.h"

#include "skinctl/KsEditText.h"

void TEditActionStack::RecordDeletion(int position, std::wstring_view text)
{
    if (text.empty()) return;
    int length = static_cast<int>(text.size());
    if (!entries_.empty() && entries_.back().Kind == eakDeleted && position > 0) {
        TEditAction& top = entries_.back();
        // Only a removal that touches the earlier one may join it; a gap between the two would put
        // the restored text back in the wrong order.
        if (position + length == top.Position) {
            top.Text.insert(0, text);
            top.Position = position;
            return;
        }
        if (position == top.Position) {
            top.Text.append(text);
            return;
        }
    }
    entries_.push_back({eakDeleted, false, position, std::wstring(text), 0});
}

void TEditActionStack::RecordInsertion(int position, int count, bool chained)
{
    if (count == 0) return;
    if (!entries_.empty() && entries_.back().Kind == eakInserted) {
        TEditAction& top = entries_.back();
        if (position == top.Position + top.Count) {
            top.Count += count;
            return;
        }
    }
    entries_.push_back({eakInserted, chained, position, {}, count});
}

void TEditActionStack::Undo()
{
    bool chained = true;
    while (chained && !entries_.empty()) {
        TEditAction action = std::move(entries_.back());
        entries_.pop_back();
        if (action.Kind == eakDeleted)
            edit_.RestoreDeleted(action.Position, action.Text);
        else
            edit_.RemoveInserted(action.Position, action.Count);
        chained = action.Chained;
    }
}

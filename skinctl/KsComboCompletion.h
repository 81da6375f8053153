#pragma once

#include "skinctl/KsListBoxItems.h"

#include <functional>
#include <string>

// The first item whose beginning equals text, comparing A to Z without regard to case; -1 when none.
int FindCompletion(const TEkListBoxItems& items, const std::wstring& text);

// The automatic completion of an editable combo box, run by its timer some time after the text
// changed. It completes only text that grew since the last run, so deleting the completed rest is
// not undone by the next run.
class TKsComboCompletion {
public:
    // complete(index, typedLength) puts item index into the box with the part after the typed
    // characters selected; a text change it causes does not start another completion.
    void Run(const std::wstring& text, const TEkListBoxItems& items,
             const std::function<void(int index, int typedLength)>& complete);
    // True while complete runs (and while the box is being loaded).
    bool Running() const { return running_; }
    void SetRunning(bool running) { running_ = running; }
    // Forgets the text seen last, or takes text as seen.
    void Reset() { lastText_.clear(); }
    void SetLastText(const std::wstring& text) { lastText_ = text; }

private:
    std::wstring lastText_;
    bool running_ = false;
};

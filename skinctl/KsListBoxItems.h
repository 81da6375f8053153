#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What changed in a list box's items. Index (and Other for an exchange) name the items concerned;
// Order gives, for a re-sort, the old index of the item now at each position.
struct TEkListChange {
    enum TKind { Inserted, Deleted, Exchanged, Cleared, StringChanged, ObjectChanged, Reordered, UpdateEnded };
    TKind Kind = Inserted;
    int Index = -1;
    int Other = -1;
    const std::vector<int>* Order = nullptr;
};

// The texts of a list box, each with an attached value, kept in the order they were added or, while
// Sorted, in alphabetical order ignoring case (a sorted list holds each text once: adding a text it
// already holds answers that item's index). Every change is reported through OnChange, also inside
// a BeginUpdate/EndUpdate bracket, whose end is reported once more.
class TEkListBoxItems {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::wstring& Strings(int index) const;
    void SetStrings(int index, const std::wstring& text);
    intptr_t Objects(int index) const;
    void SetObjects(int index, intptr_t value);

    int Add(const std::wstring& text) { return AddObject(text, 0); }
    int AddObject(const std::wstring& text, intptr_t value);
    // A sorted list places the text where it belongs rather than at index.
    void Insert(int index, const std::wstring& text);
    void Delete(int index);
    void Clear();
    void Exchange(int index1, int index2);
    void Assign(const std::vector<std::wstring>& texts);
    // The first item equal to text ignoring case, or -1.
    int IndexOf(const std::wstring& text) const;
    // Every item's text, in order.
    std::vector<std::wstring> Texts() const;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

    std::function<void(const TEkListChange&)> OnChange;

private:
    struct TItem {
        std::wstring Text;
        intptr_t Object = 0;
    };

    void CheckIndex(int index, int limit) const;
    // Where text belongs in the sorted list; found tells whether an equal text is there.
    int SortedPosition(const std::wstring& text, bool& found) const;
    void InsertAt(int index, const std::wstring& text, intptr_t value);
    void Notify(TEkListChange::TKind kind, int index = -1, int other = -1, const std::vector<int>* order = nullptr);

    std::vector<TItem> items_;
    bool sorted_ = false;
    int updateCount_ = 0;
};

// Alphabetical order ignoring case, as the user's locale has it: negative, 0 or positive.
int CompareListText(const std::wstring& a, const std::wstring& b);

#include "skinctl/KsListBoxItems.h"

#include "framework/Exceptions.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

int CompareListText(const std::wstring& a, const std::wstring& b)
{
    int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                                b.c_str(), static_cast<int>(b.size()));
    return result - CSTR_EQUAL;
}

void TEkListBoxItems::CheckIndex(int index, int limit) const
{
    if (index < 0 || index >= limit)
        throw EInvalidOperation(FormatMessageText(L"List index out of bounds (%s)", {std::to_wstring(index)}));
}

const std::wstring& TEkListBoxItems::Strings(int index) const
{
    CheckIndex(index, Count());
    return items_[index].Text;
}

void TEkListBoxItems::SetStrings(int index, const std::wstring& text)
{
    CheckIndex(index, Count());
    items_[index].Text = text;
    Notify(TEkListChange::StringChanged, index);
}

intptr_t TEkListBoxItems::Objects(int index) const
{
    CheckIndex(index, Count());
    return items_[index].Object;
}

void TEkListBoxItems::SetObjects(int index, intptr_t value)
{
    CheckIndex(index, Count());
    items_[index].Object = value;
    Notify(TEkListChange::ObjectChanged, index);
}

int TEkListBoxItems::SortedPosition(const std::wstring& text, bool& found) const
{
    auto at = std::lower_bound(items_.begin(), items_.end(), text,
                               [](const TItem& item, const std::wstring& t) { return CompareListText(item.Text, t) < 0; });
    found = at != items_.end() && CompareListText(at->Text, text) == 0;
    return static_cast<int>(at - items_.begin());
}

void TEkListBoxItems::InsertAt(int index, const std::wstring& text, intptr_t value)
{
    items_.insert(items_.begin() + index, TItem{text, value});
    Notify(TEkListChange::Inserted, index);
}

int TEkListBoxItems::AddObject(const std::wstring& text, intptr_t value)
{
    int index = Count();
    if (sorted_) {
        bool found = false;
        index = SortedPosition(text, found);
        if (found) return index;
    }
    InsertAt(index, text, value);
    return index;
}

void TEkListBoxItems::Insert(int index, const std::wstring& text)
{
    if (sorted_) {
        Add(text);
        return;
    }
    CheckIndex(index, Count() + 1);
    InsertAt(index, text, 0);
}

void TEkListBoxItems::Delete(int index)
{
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    Notify(TEkListChange::Deleted, index);
}

void TEkListBoxItems::Clear()
{
    if (items_.empty()) return;
    items_.clear();
    Notify(TEkListChange::Cleared);
}

void TEkListBoxItems::Exchange(int index1, int index2)
{
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    std::swap(items_[index1], items_[index2]);
    Notify(TEkListChange::Exchanged, index1, index2);
}

void TEkListBoxItems::Assign(const std::vector<std::wstring>& texts)
{
    BeginUpdate();
    try {
        Clear();
        for (const auto& text : texts) Add(text);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TEkListBoxItems::IndexOf(const std::wstring& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareListText(items_[i].Text, text) == 0) return i;
    return -1;
}

std::vector<std::wstring> TEkListBoxItems::Texts() const
{
    std::vector<std::wstring> texts;
    texts.reserve(items_.size());
    for (const TItem& item : items_) texts.push_back(item.Text);
    return texts;
}

void TEkListBoxItems::SetSorted(bool sorted)
{
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (!sorted_ || items_.size() < 2) return;
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return CompareListText(items_[a].Text, items_[b].Text) < 0; });
    std::vector<TItem> sortedItems;
    sortedItems.reserve(items_.size());
    for (int old : order) sortedItems.push_back(std::move(items_[old]));
    items_ = std::move(sortedItems);
    Notify(TEkListChange::Reordered, -1, -1, &order);
}

void TEkListBoxItems::EndUpdate()
{
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) Notify(TEkListChange::UpdateEnded);
}

void TEkListBoxItems::Notify(TEkListChange::TKind kind, int index, int other, const std::vector<int>* order)
{
    if (OnChange) OnChange(TEkListChange{kind, index, other, order});
}

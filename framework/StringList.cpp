#include "framework/StringList.h"

#include "framework/Exceptions.h"
#include "framework/Text.h"

namespace {

void CheckIndex(int index, int limit)
{
    if (index < 0 || index >= limit)
        throw EInvalidOperation(FormatMessageText(L"List index out of bounds (%s)", {std::to_wstring(index)}));
}

} // namespace

const std::wstring& TStringList::Strings(int index) const
{
    CheckIndex(index, Count());
    return items_[index];
}

void TStringList::SetStrings(int index, const std::wstring& text)
{
    CheckIndex(index, Count());
    items_[index] = text;
    Changed();
}

int TStringList::Add(const std::wstring& text)
{
    items_.push_back(text);
    Changed();
    return Count() - 1;
}

void TStringList::Insert(int index, const std::wstring& text)
{
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, text);
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TStringList::Assign(const std::vector<std::wstring>& items)
{
    items_ = items;
    Changed();
}

int TStringList::IndexOf(const std::wstring& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameTextAscii(items_[i], text)) return i;
    return -1;
}

void TStringList::Changed()
{
    if (OnChange) OnChange();
}

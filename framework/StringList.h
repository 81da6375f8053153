#pragma once

#include <functional>
#include <string>
#include <vector>

// An ordered list of texts that tells its owner about every change.
class TStringList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::wstring& Strings(int index) const;
    void SetStrings(int index, const std::wstring& text);
    const std::vector<std::wstring>& Items() const { return items_; }

    int Add(const std::wstring& text);
    void Insert(int index, const std::wstring& text);
    void Delete(int index);
    void Clear();
    void Assign(const std::vector<std::wstring>& items);
    // Index of the first entry equal to text ignoring ASCII case, or -1.
    int IndexOf(const std::wstring& text) const;

    std::function<void()> OnChange;

private:
    void Changed();

    std::vector<std::wstring> items_;
};

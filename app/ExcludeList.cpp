#include "app/ExcludeList.h"

#include "framework/Text.h"

#include <algorithm>

int FindExcludePattern(const std::vector<std::wstring>& patterns, std::wstring_view pattern)
{
    auto found = std::ranges::find_if(patterns, [&](const std::wstring& held) { return SameTextAscii(held, pattern); });
    return found == patterns.end() ? -1 : static_cast<int>(found - patterns.begin());
}

bool AddExcludePattern(std::vector<std::wstring>& patterns, std::wstring_view pattern)
{
    std::wstring trimmed = Trim(pattern);
    if (trimmed.empty() || FindExcludePattern(patterns, trimmed) >= 0) return false;
    patterns.push_back(std::move(trimmed));
    return true;
}

#include "app/FolderExclusions.h"

#include "framework/Text.h"

#include <windows.h>

namespace {

// Upper case by the invariant table, the one the file system's case-insensitive compare uses.
std::wstring Folded(std::wstring_view text)
{
    std::wstring folded(text);
    if (!folded.empty())
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()), folded.data(),
                      static_cast<int>(folded.size()), nullptr, nullptr, 0);
    return folded;
}

// The length of the character at i: two units for a surrogate pair.
size_t CharacterLength(std::wstring_view text, size_t i) { return IsSurrogatePairAt(text, i) ? 2 : 1; }

// Wildcard match that goes back only to the last "*": linear in practice, never exponential.
bool Matches(std::wstring_view pattern, std::wstring_view name)
{
    size_t p = 0, n = 0;
    size_t starAt = std::wstring_view::npos, resumeName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            resumeName = n;
        } else if (p < pattern.size() && pattern[p] == L'?') {
            ++p;
            n += CharacterLength(name, n);
        } else if (p < pattern.size() && pattern[p] == name[n]) {
            ++p;
            ++n;
        } else if (starAt != std::wstring_view::npos) {
            p = starAt + 1;
            resumeName += CharacterLength(name, resumeName);
            n = resumeName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

} // namespace

TFolderExclusions::TFolderExclusions(const std::vector<std::wstring>& patterns)
{
    for (const auto& pattern : patterns)
        if (!pattern.empty()) patterns_.push_back(Folded(pattern));
}

bool TFolderExclusions::Excludes(std::wstring_view name) const
{
    if (patterns_.empty()) return false;
    std::wstring folded = Folded(name);
    for (const auto& pattern : patterns_)
        if (Matches(pattern, folded)) return true;
    return false;
}

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The index of the pattern in the list (ASCII letters compared without regard to case), or -1.
int FindExcludePattern(const std::vector<std::wstring>& patterns, std::wstring_view pattern);
// Adds a folder-name pattern to the list, trimmed of blanks and control characters. A blank pattern,
// or one the list already holds (ASCII letters compared without regard to case), is left out.
// Returns true when the pattern was added.
bool AddExcludePattern(std::vector<std::wstring>& patterns, std::wstring_view pattern);

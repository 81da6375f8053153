#pragma once

#include <string>
#include <string_view>
#include <vector>

// The bytes of an INI file after the lines of one section are replaced by the given lines, each
// ended by CR LF; every other byte stays as it was. The section is found as the platform's profile
// service finds it: the first line whose first non-blank character is "[" and that holds a "]",
// named by the text between the "[" and the last "]" without regard to case; its lines run up to
// the next such line. A missing section is added at the end, unless there are no lines to add. The
// text keeps its encoding: UTF-16 or UTF-8 after a byte order mark, else the ANSI code page.
std::string ReplaceIniSectionLines(std::string_view fileBytes, std::wstring_view section,
                                   const std::vector<std::wstring>& lines);

// True when the INI file's text is UTF-16 (it starts with a byte order mark of either order).
bool IsUtf16IniText(std::string_view fileBytes);
// The same INI text as UTF-16 little-endian after its byte order mark, from the ANSI code page or
// UTF-8 after a byte order mark; UTF-16 text is returned unchanged.
std::string IniTextAsUtf16(std::string_view fileBytes);

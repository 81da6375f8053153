#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// What the plain walk (ListTree) and the prefetching walk (TTreePrefetcher) share, so that both give
// the same text: which directories are read, how they are enumerated, sorted and printed.

// Only levels 1 to 8 produce lines.
bool IsPrintedLevel(int level);
// A directory at the lowest level (level == depth) has its subdirectories printed as a sorted block.
bool CollectsNames(int level, int depth);
// A directory above the lowest level has its subdirectories walked; nothing can appear below level 8,
// which also ends loops through links that point back up the tree.
bool DescendsInto(int level, int depth);
inline bool ReadsDirectory(int level, int depth) { return CollectsNames(level, depth) || DescendsInto(level, depth); }

// Appends text in the ANSI code page.
void AppendAnsi(std::string& out, std::wstring_view text);

// Starts the enumeration of directory (ending with a backslash) for the subdirectories the listing shows.
TFindHandle FindFirstDirectory(const std::wstring& directory, WIN32_FIND_DATAW& data);
// True for an entry that is a listed subdirectory: not hidden, system or a volume label, not "." or "..".
bool IsListedDirectory(const WIN32_FIND_DATAW& data);
// Sorts names the way the lowest level is printed: the user's locale, case ignored.
void SortNames(std::vector<std::wstring>& names);

// The start of one walk: the path the platform is asked for and the bytes the lines print. A path
// without a trailing backslash is walked, and printed, as if it had one. An empty or blank path names
// no directory (resolving it would list the process's current folder), so it is not enumerated.
struct TWalkRoot {
    explicit TWalkRoot(const std::wstring& path);

    std::wstring SearchPath;
    std::string LinePath;
    bool Enumerable = true;
};

// The listing being built: each line is CR LF, tabs, the path of the directory being walked and a name.
// The path grows and shrinks as the walk descends.
class TListingLines {
public:
    TListingLines(std::string& listing, std::string linePath) : listing_(listing), linePath_(std::move(linePath)) {}

    void Append(int tabs, std::wstring_view name = {});
    void EnterChild(std::wstring_view name);
    void LeaveChild(size_t savedLength) { linePath_.resize(savedLength); }
    size_t PathLength() const { return linePath_.size(); }

private:
    std::string& listing_;
    std::string linePath_;
};

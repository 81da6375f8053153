#pragma once

#include "app/FolderExclusions.h"
#include "app/Listing.h"
#include "framework/Handles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What the plain walk (ListTree) and the prefetching walk (TTreePrefetcher) share, so that both give
// the same text and the same report: which directories are read, how they are enumerated, sorted and
// printed, and which failures are reported.

// Only levels 1 to 8 produce lines.
bool IsPrintedLevel(int level);
// A directory at the lowest level (level == depth) has its subdirectories printed as a sorted block.
bool CollectsNames(int level, int depth);
// A directory above the lowest level has its subdirectories walked; nothing can appear below level 8,
// which also ends loops through links that point back up the tree.
bool DescendsInto(int level, int depth);
inline bool ReadsDirectory(int level, int depth) { return CollectsNames(level, depth) || DescendsInto(level, depth); }

// Reads the entries of directories. Read may run on several threads at once.
class TDirectoryReader {
public:
    // Gets each entry's name; false ends the reading early.
    using TFound = std::function<bool(std::wstring_view name)>;

    virtual ~TDirectoryReader() = default;
    // Gives found the subdirectories of directory (ending with a backslash) that a listing shows: not
    // hidden, system or a volume label, not "." or "..", in the platform's enumeration order. Returns
    // 0 when the directory was read to its end (an empty one too) or found ended it, else the
    // platform's error code: the directory is missing, cannot be opened, or its reading broke off.
    virtual DWORD Read(const std::wstring& directory, const TFound& found) const;
};

// What a walk is told besides the root and the depth.
struct TWalkSettings {
    TFolderExclusions Exclusions;
    const TDirectoryReader* Reader = nullptr; // the platform's when null
};

// Reads the subdirectories of directory that the listing shows, leaving out the excluded names;
// returns what TDirectoryReader::Read returns.
DWORD ReadListedDirectories(const TWalkSettings& settings, const std::wstring& directory,
                            const TDirectoryReader::TFound& found);

// Reports a directory that could not be read, under its full path without the "\\?\" form.
void ReportUnreadable(TListing& listing, const std::wstring& searchPath, DWORD error);

// Sorts names the way the lowest level is printed: the user's locale, case ignored.
void SortNames(std::vector<std::wstring>& names);

// The start of one walk: the path the platform is asked for and the bytes the lines print. A path
// without a trailing backslash is walked, and printed, as if it had one. An empty or blank path names
// no directory (resolving it would list the process's current folder), so it is not enumerated; the
// walk reports it as a folder that cannot be read.
struct TWalkRoot {
    TWalkRoot(const std::wstring& path, const TListing& listing);

    std::wstring Typed; // the path with its trailing backslash
    std::wstring SearchPath;
    std::string LinePath;
    bool LinePathLost = false;
    bool Enumerable = true;
};

// The walk of a root that is not enumerated: its own line, and its report as a folder that could not
// be read when the walk would have read it.
void ListUnenumerableRoot(TListing& listing, const TWalkRoot& root, int level, int depth);

// The lines of one walk: each is CR LF, tabs, the path of the directory being walked and a name. The
// path grows and shrinks as the walk descends.
class TListingLines {
public:
    // Where a path stood before a child was entered.
    struct TMark {
        size_t Length;
        bool Lost;
    };

    TListingLines(TListing& listing, const TWalkRoot& root)
        : listing_(listing), linePath_(root.LinePath), pathLost_(root.LinePathLost)
    {
    }

    void Append(int tabs, std::wstring_view name = {}) { listing_.AddLine(tabs, linePath_, pathLost_, name); }
    TMark EnterChild(std::wstring_view name);
    void LeaveChild(TMark mark);

private:
    TListing& listing_;
    std::string linePath_;
    bool pathLost_;
};

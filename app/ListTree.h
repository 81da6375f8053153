#pragma once

#include "app/Listing.h"
#include "app/WalkRules.h"

#include <string>

// Adds the listing of one directory tree to listing: for each directory a line preceded by CR LF,
// indented by one tab per level below the root and holding its full path. Directories above the
// lowest level end with a backslash and come in enumeration order, each followed by its own subtree;
// the lowest level (level == depth) is a block sorted by name without regard to case. Hidden and
// system directories, and those whose name the settings exclude, are left out. Only levels 1 to 8
// produce lines, so the walk never goes below level 8. A directory that cannot be read contributes
// its own line only, and is reported in the listing's report; an empty one is not. A root that does
// not exist is a folder that cannot be read: the inventory lacks what it would hold.
//
// A path without a trailing backslash is walked, and printed, as if it had one, so that every line
// below the root starts with its parent's line. Paths of any length are walked. An empty or blank
// path gives its own line only.
void ListTree(TListing& listing, const TWalkSettings& settings, const std::wstring& path, int level, int depth);

// The same walk with no exclusions, appending the lines in the ANSI code page to listing.
void ListTree(std::string& listing, const std::wstring& path, int level, int depth);

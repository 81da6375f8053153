#pragma once

#include "app/Listing.h"
#include "app/WalkRules.h"

#include <string>

// The text and report of one walk.
struct TWalked {
    std::string Text;
    TListingReport Report;
};

// The plain walk of root in the ANSI code page, once the prefetching walk has given the same text and
// reported the same folders.
TWalked WalkBoth(const std::wstring& root, int depth, const TWalkSettings& settings);

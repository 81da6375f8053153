#pragma once

#include "app/Listing.h"
#include "app/ListingEncoding.h"

#include <string>

// What a completed run tells the user besides its file, in the program's language.

// A count with its thousands grouped: 12345 as "12,345".
std::wstring GroupedNumber(size_t number);

// The window's completion message: "目錄列舉完畢", then how many names lost characters (with the
// advice to write UTF-8 when the listing is in the ANSI code page) and how many folders could not be
// read, naming the first kShownFolders of them with long paths shortened.
std::wstring CompletionMessage(const TListingReport& report, TListingEncoding encoding);
constexpr size_t kShownFolders = 5;

// Every folder that could not be read, one a line: its full path and the error's text.
std::wstring UnreadableFolderList(const TListingReport& report);

// What a run without a window writes to standard error once the file is written: a line for each
// folder that could not be read, then the count of them, and the count of names that lost characters.
// Empty when there is nothing to tell.
std::wstring UnattendedNotice(const TListingReport& report, TListingEncoding encoding);

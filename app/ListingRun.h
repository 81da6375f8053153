#pragma once

#include "app/Listing.h"
#include "app/ListingEncoding.h"
#include "app/ListingFile.h"
#include "app/TreePrefetcher.h"
#include "app/WalkRules.h"

#include <windows.h>

#include <string>
#include <vector>

// One root of a run with its depth.
struct TListingRoot {
    std::wstring Path;
    int Depth = 1;
};

// Where and how a run writes its file.
struct TListingOutput {
    std::wstring Directory;
    bool FixedName = true;
    std::wstring FixedFile;
    TListingEncoding Encoding = leAnsi;
};

// One listing run without its window: the header, then each root as it is walked, streamed into a
// temporary file in the output folder that becomes the listing file only when the run completes. A
// run destroyed before that (an error, a stop) leaves the previous listing file as it was.
class TListingRun {
public:
    // Creates the temporary file and writes the header for the time the run started. The folders are
    // read through reader, or the platform's when it is null.
    TListingRun(const TListingOutput& output, const std::vector<std::wstring>& excludePatterns,
                const SYSTEMTIME& started, const TDirectoryReader* reader = nullptr);

    // Walks one root; false when the host asked to stop.
    bool Walk(const TListingRoot& root, TWalkHost& host);
    // Ends the text and puts the file in place, named for the date at this moment.
    void Complete();

    const TListingReport& Report() const { return listing_.Report(); }

private:
    TListingOutput output_;
    TListingFileWriter file_;
    TListing listing_;
    TWalkSettings settings_;
    TTreePrefetcher walk_;
};

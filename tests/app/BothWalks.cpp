#include "BothWalks.h"

#include "app/ListTree.h"
#include "app/TreePrefetcher.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> Paths(const TListingReport& report)
{
    std::vector<std::wstring> paths;
    for (const auto& folder : report.Unreadable) paths.push_back(folder.Path);
    return paths;
}

} // namespace

TWalked WalkBoth(const std::wstring& root, int depth, const TWalkSettings& settings)
{
    TWalked plain;
    {
        TStringSink sink(plain.Text);
        TListing listing(leAnsi, sink);
        ListTree(listing, settings, root, 1, depth);
        listing.Flush();
        plain.Report = listing.Report();
    }
    std::string prefetched;
    TStringSink sink(prefetched);
    TListing listing(leAnsi, sink);
    TPlainWalkHost host;
    EXPECT_TRUE(TTreePrefetcher().ListTree(listing, settings, root, 1, depth, host));
    listing.Flush();
    EXPECT_EQ(prefetched, plain.Text) << "the prefetched walk's text";
    EXPECT_EQ(Paths(listing.Report()), Paths(plain.Report)) << "the prefetched walk's report";
    return plain;
}

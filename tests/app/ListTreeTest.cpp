#include "ListingShape.h"
#include "TempTree.h"

#include "app/ListTree.h"
#include "app/TreePrefetcher.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// The plain walk's text, once the prefetching walk has given the same, with one reading thread and
// with the run's pool.
std::string Walk(const std::wstring& root, int depth)
{
    std::string listing;
    ListTree(listing, root, 1, depth);
    TPlainWalkHost host;
    for (int workers : {1, 4}) {
        std::string prefetched;
        EXPECT_TRUE(TTreePrefetcher(workers).ListTree(prefetched, root, 1, depth, host));
        EXPECT_EQ(prefetched, listing) << "prefetched with " << workers << " reading threads";
    }
    return listing;
}

// The tree of the worked example, plus an empty directory and left-out entries one level down:
//   Beta\ (Two\, one\, b.txt, Hid\ hidden, Sys\ system), alpha\x\deep\, Empty\, Cache\ (hidden),
//   System\ (system), notes.txt
class ListTreeExample : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.Dir(L"Beta\\Two");
        tree.Dir(L"Beta\\one");
        tree.File(L"Beta\\b.txt");
        tree.Dir(L"Beta\\Hid", FILE_ATTRIBUTE_HIDDEN);
        tree.Dir(L"Beta\\Sys", FILE_ATTRIBUTE_SYSTEM);
        tree.Dir(L"alpha\\x\\deep");
        tree.Dir(L"Empty");
        tree.Dir(L"Cache", FILE_ATTRIBUTE_HIDDEN);
        tree.Dir(L"Cache\\inside");
        tree.Dir(L"System", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
        tree.File(L"notes.txt");
        root = tree.RootAnsi();
    }

    std::string Line(int tabs, const std::string& relative) const { return ListingLine(tabs, root + relative); }

    TTempTree tree{L"walk"};
    std::string root;
};

TEST_F(ListTreeExample, DepthOneListsTheSortedChildrenWithoutBackslash)
{
    std::string listing = Walk(tree.Root(), 1);
    EXPECT_EQ(listing, Line(0, "") + Line(1, "alpha") + Line(1, "Beta") + Line(1, "Empty"));
}

TEST_F(ListTreeExample, DepthTwoSortsOnlyTheLowestLevelAndLeavesOutHiddenSystemAndFiles)
{
    std::string listing = Walk(tree.Root(), 2);
    EXPECT_EQ(CanonicalListing(listing, 2),
              Line(0, "") + Line(1, "Beta\\") + Line(2, "Beta\\one") + Line(2, "Beta\\Two") + Line(1, "Empty\\") +
                  Line(1, "alpha\\") + Line(2, "alpha\\x"));
}

TEST_F(ListTreeExample, DepthThreeGivesLevelLinesWithBackslashAndTheDeepestBlock)
{
    std::string listing = Walk(tree.Root(), 3);
    EXPECT_EQ(CanonicalListing(listing, 3),
              Line(0, "") + Line(1, "Beta\\") + Line(2, "Beta\\Two\\") + Line(2, "Beta\\one\\") + Line(1, "Empty\\") +
                  Line(1, "alpha\\") + Line(2, "alpha\\x\\") + Line(3, "alpha\\x\\deep"));
}

TEST_F(ListTreeExample, RootWithoutTrailingBackslashIsWalkedAndPrintedWithOne)
{
    std::wstring typed = tree.Root().substr(0, tree.Root().size() - 1);
    EXPECT_EQ(Walk(typed, 1), Line(0, "") + Line(1, "alpha") + Line(1, "Beta") + Line(1, "Empty"));
}

TEST_F(ListTreeExample, WalkAppendsToTheTextAlreadyThere)
{
    std::string listing = "header\r\n";
    ListTree(listing, tree.Root() + L"alpha\\", 1, 1);
    ListTree(listing, tree.Root() + L"Empty\\", 1, 1);
    EXPECT_EQ(listing, "header\r\n" + Line(0, "alpha\\") + Line(1, "alpha\\x") + Line(0, "Empty\\"));
}

TEST(ListTreeRoots, RootsThatCannotBeEnumeratedGiveTheirLineOnly)
{
    TTempTree tree(L"roots");
    tree.Dir(L"Empty");
    tree.File(L"plain.txt");
    const std::string root = tree.RootAnsi();
    EXPECT_EQ(Walk(tree.Root() + L"missing\\", 2), ListingLine(0, root + "missing\\"));
    EXPECT_EQ(Walk(tree.Root() + L"Empty\\", 2), ListingLine(0, root + "Empty\\"));
    EXPECT_EQ(Walk(tree.Root() + L"plain.txt\\", 1), ListingLine(0, root + "plain.txt\\"));
    EXPECT_EQ(Walk(tree.Root() + L"bad|name\\", 1), ListingLine(0, root + "bad|name\\"));
}

TEST(ListTreeRoots, EmptyOrBlankRootGivesItsLineOnlyNotTheCurrentFolder)
{
    TTempTree tree(L"emptyroot");
    tree.Dir(L"inside");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(tree.Root().c_str());
    EXPECT_EQ(Walk(L"", 7), ListingLine(0, ""));
    EXPECT_EQ(Walk(L"  ", 1), ListingLine(0, "  \\"));
    SetCurrentDirectoryW(previous);
}

TEST(ListTreeRoots, DirectoryDeniedToEveryoneShowsItsLineWithNothingBelow)
{
    TTempTree tree(L"denied");
    std::wstring denied = tree.Dir(L"Locked");
    tree.Dir(L"Locked\\inner");
    tree.Dir(L"Open\\inner");
    // An empty protected access list grants nothing to anybody.
    ACL emptyAcl;
    InitializeAcl(&emptyAcl, sizeof emptyAcl, ACL_REVISION);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &emptyAcl, FALSE);
    ASSERT_TRUE(SetFileSecurityW(denied.c_str(), DACL_SECURITY_INFORMATION, &descriptor));

    WIN32_FIND_DATAW data;
    HANDLE probe = FindFirstFileW((denied + L"\\*").c_str(), &data);
    if (probe != INVALID_HANDLE_VALUE) {
        FindClose(probe);
        GTEST_SKIP() << "the access list does not keep this process out (Wine running as root)";
    }
    const std::string root = tree.RootAnsi();
    EXPECT_EQ(CanonicalListing(Walk(tree.Root(), 2), 2),
              ListingLine(0, root) + ListingLine(1, root + "Locked\\") + ListingLine(1, root + "Open\\") +
                  ListingLine(2, root + "Open\\inner"));
}

TEST(ListTreeSorting, LowestLevelFollowsTheLocaleIgnoringCase)
{
    TTempTree tree(L"sort");
    for (const wchar_t* name : {L"gamma", L"Delta", L"beta", L"alpha2", L"Alpha", L"ALPHA1"}) tree.Dir(name);
    const std::string root = tree.RootAnsi();
    std::string expected = ListingLine(0, root);
    for (const char* name : {"Alpha", "ALPHA1", "alpha2", "beta", "Delta", "gamma"})
        expected += ListingLine(1, root + name);
    EXPECT_EQ(Walk(tree.Root(), 1), expected);
}

TEST(ListTreeSorting, NamesAreWrittenInTheAnsiCodePage)
{
    ASSERT_EQ(GetACP(), 950u) << "the listing tests expect the Traditional Chinese code page";
    TTempTree tree(L"ansi");
    tree.Dir(L"資料\\子目錄");
    const std::string root = tree.RootAnsi();
    const std::string data = "\xB8\xEA\xAE\xC6";
    EXPECT_EQ(Walk(tree.Root(), 2), ListingLine(0, root) + ListingLine(1, root + data + "\\") +
                                        ListingLine(2, root + data + "\\\xA4\x6C\xA5\xD8\xBF\xFD"));
}

// A chain of nested directories l1\l2\...\l10 with a second directory b<level> beside each link.
class ListTreeDeepChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::wstring path;
        for (int level = 1; level <= 10; ++level) {
            tree.Dir(path + L"b" + std::to_wstring(level));
            path += L"l" + std::to_wstring(level) + L"\\";
        }
        tree.Dir(path.substr(0, path.size() - 1));
    }

    // The chain's lines down to lastLevel in canonical order (b before l at every level, each l
    // followed by its subtree); the deepest ones without backslash when markLowest.
    std::string Expected(int lastLevel, bool markLowest) const
    {
        std::string path = tree.RootAnsi();
        std::string out = ListingLine(0, path);
        for (int level = 1; level <= lastLevel; ++level) {
            std::string tail = level == lastLevel && markLowest ? "" : "\\";
            std::string index = std::to_string(level);
            out += ListingLine(level, path + "b" + index + tail) + ListingLine(level, path + "l" + index + tail);
            path += "l" + index + "\\";
        }
        return out;
    }

    TTempTree tree{L"chain"};
};

TEST_F(ListTreeDeepChain, DepthEightListsEightLevelsWithEightTabs)
{
    std::string listing = Walk(tree.Root(), 8);
    EXPECT_EQ(CanonicalListing(listing, 8), Expected(8, true));
}

TEST_F(ListTreeDeepChain, DepthsOutsideOneToEightListTheRootAndSevenLevelsBelowIt)
{
    for (int depth : {0, -3, 9, 12}) {
        SCOPED_TRACE(depth);
        EXPECT_EQ(CanonicalListing(Walk(tree.Root(), depth), depth), Expected(7, false));
    }
}

TEST(ListTreeLongPaths, PathsBeyondTheClassicLimitAreWalkedAndPrintedPlain)
{
    TTempTree tree(L"long");
    const std::wstring part(60, L'n');
    std::wstring relative;
    for (int level = 1; level <= 5; ++level) relative += part + std::to_wstring(level) + L"\\";
    tree.Dir(relative + L"leaf");
    ASSERT_GT(tree.Root().size() + relative.size(), 300u);

    std::string listing = Walk(tree.Root(), 6);
    std::string expected = ListingLine(0, tree.RootAnsi());
    std::string path = tree.RootAnsi();
    for (int level = 1; level <= 5; ++level) {
        path += WideToAnsi(part) + std::to_string(level) + "\\";
        expected += ListingLine(level, path);
    }
    expected += ListingLine(6, path + "leaf");
    EXPECT_EQ(listing, expected);
    EXPECT_EQ(listing.find("\\\\?\\"), std::string::npos);
}

TEST(ListTreeLinks, DirectoryLoopsEndBelowTheLowestPrintedLevel)
{
    TTempTree tree(L"loop");
    tree.Dir(L"top");
    if (!tree.DirLink(L"top\\a", L"top") || !tree.DirLink(L"top\\b", L"top"))
        GTEST_SKIP() << "directory links cannot be made here";

    // Two links back to their own folder: a walk that did not stop would meet 2^n folders at level n.
    auto start = std::chrono::steady_clock::now();
    std::string listing = Walk(tree.Root() + L"top\\", 0);
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    size_t lines = 0;
    for (size_t at = listing.find("\r\n"); at != std::string::npos; at = listing.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 255u);  // 1 + 2 + 4 + ... + 128: the root and seven levels below it
    EXPECT_EQ(listing.find("\r\n\t\t\t\t\t\t\t\t"), std::string::npos);
    EXPECT_LT(seconds, 30.0);
}

} // namespace

#include "BothWalks.h"
#include "FormFixture.h"
#include "ListingShape.h"

#include "app/FolderExclusions.h"
#include "framework/Text.h"

namespace {

TEST(FolderExclusions, WildcardsMatchTheWholeNameWithoutRegardToCase)
{
    TFolderExclusions exclusions({L"node_modules", L"*.tmp", L"build-??", L"ärger*", L""});
    for (const wchar_t* name : {L"node_modules", L"NODE_Modules", L"x.tmp", L".TMP", L"a.b.tmp", L"build-01",
                                L"Build-A\U0001F600", L"ÄRGER", L"Ärgerlich"})
        EXPECT_TRUE(exclusions.Excludes(name)) << WideToUtf8(name);
    for (const wchar_t* name :
         {L"node_modules2", L"my_node_modules", L"x.tmpl", L"build-1", L"build-123", L"Arger", L"", L"anything"})
        EXPECT_FALSE(exclusions.Excludes(name)) << WideToUtf8(name);
    EXPECT_FALSE(TFolderExclusions(std::vector<std::wstring>{}).Excludes(L"node_modules"));
}

// Cache\ as the root holding cache\ and keep\, each holding a cache\ of its own.
class ExcludedFolders : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        tree.Dir(L"Cache\\cache\\inner");
        tree.Dir(L"Cache\\keep\\CACHE\\inner");
        tree.Dir(L"Cache\\keep\\other");
        root = tree.RootAnsi() + "Cache\\";
    }

    std::string Walk(const std::vector<std::wstring>& patterns) const
    {
        return CanonicalListing(WalkBoth(tree.Root() + L"Cache\\", 3, {TFolderExclusions(patterns), nullptr}).Text, 3);
    }

    std::string root;
};

TEST_F(ExcludedFolders, AMatchingFolderIsNeitherListedNorEnteredButTheRootIsAlwaysWalked)
{
    std::string everything = Walk({});
    EXPECT_EQ(everything, ListingLine(0, root) + ListingLine(1, root + "cache\\") +
                              ListingLine(2, root + "cache\\inner\\") + ListingLine(1, root + "keep\\") +
                              ListingLine(2, root + "keep\\CACHE\\") + ListingLine(3, root + "keep\\CACHE\\inner") +
                              ListingLine(2, root + "keep\\other\\"));
    EXPECT_EQ(Walk({L"cache"}),
              ListingLine(0, root) + ListingLine(1, root + "keep\\") + ListingLine(2, root + "keep\\other\\"));
    EXPECT_EQ(Walk({L"nothing*like*it"}), everything);
}

TEST_F(ExcludedFolders, TheRunHonoursTheWindowsPatterns)
{
    std::wstring out = tree.Dir(L"out") + L"\\";
    form->Edit2->SetText(out);
    AddRows({{tree.Root() + L"Cache\\", L"2"}});
    form->ExcludePatterns = {L"k?EP"};
    driver.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    form->BitBtn5Click();
    ASSERT_TRUE(driver.WaitDone(3000));
    std::string bytes = FileBytes(out + L"folvane.txt");
    EXPECT_TRUE(bytes.ends_with(ListingLine(0, root) + ListingLine(1, root + "cache\\") +
                                ListingLine(2, root + "cache\\inner") + "\r\n"))
        << bytes;
}

} // namespace

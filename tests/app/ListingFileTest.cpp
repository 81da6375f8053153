#include "FormFixture.h"

#include "app/ListingFile.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

namespace {

SYSTEMTIME Moment(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

const std::string kHeaderLabel = "\xA6\x43\xC1\x7C\xA4\xE9\xB4\xC1: ";  // "列舉日期: " in code page 950

TEST(ListingHeader, ShortDateBlankAndLongTimeInTheAnsiCodePage)
{
    ASSERT_EQ(GetACP(), 950u);
    // The Traditional Chinese formats: "yyyy/M/d" and "tth:mm:ss" with 上午 / 下午.
    EXPECT_EQ(ListingHeader(Moment(2026, 12, 6, 14, 5, 9), leAnsi), kHeaderLabel + "2026/12/6 \xA4\x55\xA4\xC8" "2:05:09\r\n");
    EXPECT_EQ(ListingHeader(Moment(2026, 1, 30, 9, 0, 0), leAnsi), kHeaderLabel + "2026/1/30 \xA4\x57\xA4\xC8" "9:00:00\r\n");
}

TEST(ListingHeader, TimeIsLeftOutAtExactlyMidnight)
{
    EXPECT_EQ(ListingHeader(Moment(2026, 12, 6, 0, 0, 0), leAnsi), kHeaderLabel + "2026/12/6\r\n");
    // A second or a minute past midnight is written out in full; the hour shows as 12 before noon.
    EXPECT_EQ(ListingHeader(Moment(2026, 12, 6, 0, 0, 1), leAnsi), kHeaderLabel + "2026/12/6 \xA4\x57\xA4\xC8" "12:00:01\r\n");
    EXPECT_EQ(ListingHeader(Moment(2026, 12, 6, 0, 1, 0), leAnsi), kHeaderLabel + "2026/12/6 \xA4\x57\xA4\xC8" "12:01:00\r\n");
}

TEST(ListingFileName, FixedOrDateNameJoinedWithOneBackslash)
{
    SYSTEMTIME date = Moment(2026, 12, 6, 23, 59, 59);
    EXPECT_EQ(ListingFileName(L"D:\\Out\\", false, L"ignored.txt", date), L"D:\\Out\\20261206.txt");
    EXPECT_EQ(ListingFileName(L"D:\\Out\\", true, L"folvane.txt", date), L"D:\\Out\\folvane.txt");
    EXPECT_EQ(ListingFileName(L"D:\\Out", true, L"folvane.txt", date), L"D:\\Out\\folvane.txt");
    EXPECT_EQ(ListingFileName(L"D:\\", false, L"", Moment(987, 3, 4, 0, 0, 0)), L"D:\\09870304.txt");
    EXPECT_EQ(ListingFileName(L"D:\\Out\\", true, L" name with blanks ", date), L"D:\\Out\\ name with blanks ");
}

TEST(ListingFileName, BlanksAroundTheDirectoryAreDropped)
{
    SYSTEMTIME date = Moment(2026, 12, 6, 12, 0, 0);
    EXPECT_EQ(ListingFileName(L"D:\\Out\\ ", true, L"folvane.txt", date), L"D:\\Out\\folvane.txt");
    EXPECT_EQ(ListingFileName(L"  D:\\Out \t", false, L"", date), L"D:\\Out\\20261206.txt");
    EXPECT_EQ(ListingFileName(L"D:\\My Out\\", true, L"a.txt", date), L"D:\\My Out\\a.txt");
}

TEST(ListingFileWriter, ReplacesTheFileWithTheBytesWrittenOnlyOnCommit)
{
    TTempTree tree(L"write");
    std::wstring path = tree.Root() + L"listing.txt";
    SetFileBytes(path, std::string(5000, 'x'));
    {
        TListingFileWriter writer(tree.Root());
        writer.Write("head\r\n");
        writer.Write("\r\nline\r\n");
        EXPECT_EQ(FileBytes(path), std::string(5000, 'x'));
        writer.Commit(path);
    }
    EXPECT_EQ(FileBytes(path), "head\r\n\r\nline\r\n");
}

TEST(ListingFileWriter, FailuresCarryTheClassicTexts)
{
    TTempTree tree(L"writefail");
    tree.Dir(L"taken.txt");
    auto messageOf = [&](const std::wstring& directory, const std::wstring& name) -> std::wstring {
        try {
            TListingFileWriter writer(directory);
            writer.Write("text");
            writer.Commit(directory + name);
        } catch (const EInOutError& error) {
            return error.Message();
        }
        return L"<no error>";
    };
    EXPECT_EQ(messageOf(tree.Root() + L"missing\\", L"listing.txt"), L"Invalid filename");
    EXPECT_EQ(messageOf(tree.Root(), L"bad|name.txt"), L"Invalid filename");
    EXPECT_EQ(messageOf(tree.Root(), L"taken.txt"), L"File access denied");
}

} // namespace

#include "framework/IniSectionText.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace std::string_literals;

TEST(IniSectionText, OnlyTheSectionsLinesChangeAndEveryOtherByteStays)
{
    const std::string before =
        "; first\n[OUTPUT]\r\nA = 1 \r\n\r\n  [dir] ; old rows\r\nDIR0=a;1\r\n; note\r\nDIR1=b;2\r\n"
        "\r\n[MINE]\nX=\"q\"\r\n[DIR]\r\nDIR0=second;1\r\n";
    EXPECT_EQ(ReplaceIniSectionLines(before, L"DIR", {L"DIR0=x;3", L"DIR1=y;4", L"DIR2=z;5"}),
              "; first\n[OUTPUT]\r\nA = 1 \r\n\r\n  [dir] ; old rows\r\nDIR0=x;3\r\nDIR1=y;4\r\nDIR2=z;5\r\n"
              "[MINE]\nX=\"q\"\r\n[DIR]\r\nDIR0=second;1\r\n");
    EXPECT_EQ(ReplaceIniSectionLines(before, L"MINE", {}),
              "; first\n[OUTPUT]\r\nA = 1 \r\n\r\n  [dir] ; old rows\r\nDIR0=a;1\r\n; note\r\nDIR1=b;2\r\n"
              "\r\n[MINE]\n[DIR]\r\nDIR0=second;1\r\n");
}

TEST(IniSectionText, AMissingSectionIsAddedAtTheEndOnlyWithLines)
{
    EXPECT_EQ(ReplaceIniSectionLines("", L"DIR", {L"DIR0=a;1"}), "[DIR]\r\nDIR0=a;1\r\n");
    EXPECT_EQ(ReplaceIniSectionLines("[OUTPUT]\r\nA=1", L"DIR", {L"DIR0=a;1"}),
              "[OUTPUT]\r\nA=1\r\n[DIR]\r\nDIR0=a;1\r\n");
    EXPECT_EQ(ReplaceIniSectionLines("[OUTPUT]\r\nA=1", L"DIR", {}), "[OUTPUT]\r\nA=1");
    // Without a "]" a line starts no section.
    EXPECT_EQ(ReplaceIniSectionLines("[DIR\r\n", L"DIR", {L"K=v"}), "[DIR\r\n[DIR]\r\nK=v\r\n");
    // A header on the last line, with no line end after it.
    EXPECT_EQ(ReplaceIniSectionLines("[A]\r\nK=1\r\n[DIR]", L"DIR", {L"K=v"}), "[A]\r\nK=1\r\n[DIR]\r\nK=v\r\n");
}

TEST(IniSectionText, LinesAreWrittenInTheFilesEncoding)
{
    ASSERT_EQ(GetACP(), 950u);
    // In code page 950 the second byte of 孫 (0xAE 0x5D) is "]": "[孫" starts no section.
    EXPECT_EQ(ReplaceIniSectionLines("[\xAE\x5D]\r\nK=1\r\n[\xAE\x5D\r\nL=2\r\n[DIR]\r\n", L"孫", {L"K=資料"}),
              "[\xAE\x5D]\r\nK=\xB8\xEA\xAE\xC6\r\n[DIR]\r\n");
    EXPECT_EQ(ReplaceIniSectionLines("\xEF\xBB\xBF[DIR]\r\nK=1\r\n", L"DIR", {L"K=資"}),
              "\xEF\xBB\xBF[DIR]\r\nK=\xE8\xB3\x87\r\n");
    EXPECT_EQ(ReplaceIniSectionLines("\xFF\xFE[\0D\0]\0\r\0\n\0K\0=\0" "1\0\r\0\n\0"s, L"d", {L"K=資"}),
              "\xFF\xFE[\0D\0]\0\r\0\n\0K\0=\0\xC7\x8C\r\0\n\0"s);
    EXPECT_EQ(ReplaceIniSectionLines("\xFE\xFF\0[\0D\0]"s, L"D", {L"K=1"}),
              "\xFE\xFF\0[\0D\0]\0\r\0\n\0K\0=\0" "1\0\r\0\n"s);
}

} // namespace

#include "framework/Exceptions.h"
#include "framework/IniFile.h"
#include "framework/Text.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <windows.h>


namespace {

// A .cfg file name in a fresh folder of its own, removed with everything in it at the end.
class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = IncludeTrailingBackslash(temp) + L"folvane-ini-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        fileName = folder + L"settings.cfg";
    }

    void TearDown() override
    {
        SetFileAttributesW(fileName.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(fileName.c_str());
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring folder;
    std::wstring fileName;
};

TEST_F(IniFileTest, NewFileIsWrittenInTheAnsiCodePageWithSectionsInFirstWrittenOrder)
{
    ASSERT_EQ(GetACP(), 950u);
    TIniFile ini(fileName);
    ini.WriteString(L"DIR", L"DIR0", L"D:\\資料\\;2");
    ini.WriteString(L"OUTPUT", L"OUTPUTDIR", L"C:\\Tools\\Output\\");
    ini.WriteString(L"DIR", L"DIR1", L"C:\\Data\\;1");
    ini.UpdateFile();
    EXPECT_EQ(FileBytes(fileName), "[DIR]\r\nDIR0=D:\\\xB8\xEA\xAE\xC6\\;2\r\nDIR1=C:\\Data\\;1\r\n"
                       "[OUTPUT]\r\nOUTPUTDIR=C:\\Tools\\Output\\\r\n");
}

TEST_F(IniFileTest, WritesUpdateInPlaceAndLeaveOtherSectionsAndKeys)
{
    SetFileBytes(fileName, "; kept comment\r\n[OUTPUT]\r\nOUTPUTTYPE=1\r\nOTHER=x\r\n[MINE]\r\nA=1\r\n");
    TIniFile ini(fileName);
    ini.WriteString(L"OUTPUT", L"OUTPUTTYPE", L"0");
    ini.WriteString(L"OUTPUT", L"OUTPUTFILE", L"folvane.txt");
    ini.UpdateFile();
    EXPECT_EQ(ini.ReadSection(L"OUTPUT"), (std::vector<std::wstring>{L"OUTPUTTYPE", L"OTHER", L"OUTPUTFILE"}));
    EXPECT_EQ(ini.ReadString(L"OUTPUT", L"OUTPUTTYPE", L""), L"0");
    EXPECT_EQ(ini.ReadString(L"MINE", L"A", L""), L"1");
    EXPECT_NE(FileBytes(fileName).find("; kept comment"), std::string::npos);
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesDefaultsAndNoKeys)
{
    TIniFile missing(folder + L"none.cfg");
    EXPECT_TRUE(missing.ReadSection(L"DIR").empty());
    EXPECT_EQ(missing.ReadString(L"OUTPUT", L"OUTPUTTYPE", L"0"), L"0");

    SetFileBytes(fileName, "[OUTPUT]\r\nOUTPUTFILE=a.txt\r\n");
    TIniFile ini(fileName);
    EXPECT_TRUE(ini.ReadSection(L"DIR").empty());
    EXPECT_EQ(ini.ReadString(L"OUTPUT", L"OUTPUTDIR", L"fallback"), L"fallback");
    EXPECT_EQ(ini.ReadString(L"OUTPUT", L"OUTPUTFILE", L"fallback"), L"a.txt");
}

TEST_F(IniFileTest, LongValuesAndLongKeyListsAreReadWhole)
{
    std::string longValue(5000, 'v');
    longValue += "end";
    std::string text = "[DIR]\r\nDIR0=" + longValue + "\r\n";
    // 2000 keys of 12 characters and more: well beyond one key list buffer of 16384 units.
    for (int i = 1; i <= 2000; ++i)
        text += "DIRECTORY" + std::to_string(100000 + i) + "=C:\\" + std::to_string(i) + "\\;1\r\n";
    SetFileBytes(fileName, text);

    TIniFile ini(fileName);
    EXPECT_EQ(ini.ReadString(L"DIR", L"DIR0", L""), AnsiToWide(longValue));
    std::vector<std::wstring> keys = ini.ReadSection(L"DIR");
    ASSERT_EQ(keys.size(), 2001u);
    EXPECT_EQ(keys[1], L"DIRECTORY100001");
    EXPECT_EQ(keys[2000], L"DIRECTORY102000");
    std::vector<std::wstring> lines = ini.ReadSectionValues(L"DIR");
    ASSERT_EQ(lines.size(), 2001u);
    EXPECT_EQ(lines[2000], L"DIRECTORY102000=C:\\2000\\;1");
}

TEST_F(IniFileTest, WriteSectionReplacesItsLinesOnlyAndKeepsItsPlace)
{
    SetFileBytes(fileName, "[DIR]\r\nDIR0=a;1\r\nDIR1=b;2\r\nNOTE=c\r\n[OUTPUT]\r\nOUTPUTTYPE=1\r\n");
    TIniFile ini(fileName);
    EXPECT_TRUE(ini.SectionExists(L"DIR"));
    EXPECT_FALSE(ini.SectionExists(L"NEW"));
    ini.WriteSection(L"DIR", {L"DIR0=z;3"});
    ini.WriteSection(L"NEW", {L"A=1", L"B=2"});
    ini.UpdateFile();
    EXPECT_EQ(FileBytes(fileName), "[DIR]\r\nDIR0=z;3\r\n[OUTPUT]\r\nOUTPUTTYPE=1\r\n[NEW]\r\nA=1\r\nB=2\r\n");

    ini.WriteSection(L"DIR", {});
    ini.UpdateFile();
    EXPECT_FALSE(ini.SectionExists(L"DIR"));
    EXPECT_EQ(ini.ReadString(L"OUTPUT", L"OUTPUTTYPE", L""), L"1");
}

// Read in one piece, the lines keep what a read key by key would lose (a second line with the
// same key name) and lose what it would (one pair of enclosing quotation marks).
TEST_F(IniFileTest, SectionLinesKeepTwiceNamedKeysAndLoseOnePairOfQuotes)
{
    SetFileBytes(fileName,
                 "[S]\r\nK=1\r\n  K  =  2  \r\nQ=\"a b\"\r\nR='x'\r\nH=\"half\r\nP=\"\"in\"\"\r\nbare line\r\n"
                 "[T]\r\nK=3\r\n");
    TIniFile ini(fileName);
    EXPECT_EQ(ini.ReadSectionValues(L"S"),
              (std::vector<std::wstring>{L"K=1", L"K=2", L"Q=a b", L"R=x", L"H=\"half", L"P=\"in\"", L"bare line"}));
    EXPECT_EQ(ini.ReadString(L"S", L"Q", L""), L"a b");
    EXPECT_EQ(ini.ReadString(L"S", L"P", L""), L"\"in\"");
    EXPECT_TRUE(ini.ReadSectionValues(L"none").empty());
}

TEST_F(IniFileTest, RefusedWriteRaisesWithTheFileName)
{
    TIniFile ini(folder + L"missing folder\\x.cfg");
    try {
        ini.WriteString(L"OUTPUT", L"OUTPUTTYPE", L"0");
        FAIL() << "no error raised";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), L"Unable to write to " + folder + L"missing folder\\x.cfg");
    }
    EXPECT_THROW(ini.WriteSection(L"DIR", {L"DIR0=a;1"}), EIniFileException);
}

} // namespace

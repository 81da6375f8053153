#include "framework/Exceptions.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

TEST(StrToInt, AcceptsBlanksSignsAndHexadecimalPrefixes)
{
    EXPECT_EQ(StrToInt(L"3"), 3);
    EXPECT_EQ(StrToInt(L"   -12"), -12);
    EXPECT_EQ(StrToInt(L"+7"), 7);
    EXPECT_EQ(StrToInt(L"$1F"), 31);
    EXPECT_EQ(StrToInt(L"0x10"), 16);
    EXPECT_EQ(StrToInt(L"-$10"), -16);
    EXPECT_EQ(StrToInt(L"$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt(L"-2147483648"), INT_MIN);
}

TEST(StrToInt, RejectsTrailingTextEmptyTextAndOverflowWithThePlatformText)
{
    for (const wchar_t* bad : {L"", L" ", L"3 ", L"x", L"1x", L"$", L"0x", L"2147483648", L"$100000000", L"--1"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted " << WideToUtf8(bad);
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), L"'" + std::wstring(bad) + L"' is not a valid integer value");
        }
    }
}

TEST(Trim, RemovesBlanksAndControlCharactersOnBothSides)
{
    EXPECT_EQ(Trim(L" \t 3 \r\n"), L"3");
    EXPECT_EQ(Trim(L"\x01\x1F"), L"");
    EXPECT_EQ(Trim(L"a b"), L"a b");
    EXPECT_EQ(Trim(L"\u3000x"), L"\u3000x");
}

TEST(AsciiCase, FoldsOnlyLatinLetters)
{
    EXPECT_EQ(AsciiLowerCase(L"C:\\Data\\ÄÖ"), L"c:\\data\\ÄÖ");
    EXPECT_TRUE(SameTextAscii(L"C:\\DATA\\", L"c:\\data\\"));
    EXPECT_FALSE(SameTextAscii(L"Ä", L"ä"));
}

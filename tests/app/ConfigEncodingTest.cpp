#include "ConfigFixture.h"

#include "framework/Text.h"

namespace {

class ConfigEncodingTest : public ConfigFixture {};

// A .cfg's text as UTF-16 little-endian after its byte order mark.
std::string Utf16File(std::wstring_view text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

TEST_F(ConfigEncodingTest, NamesTheCodePageCannotHoldComeBackExactlyFromAUtf16File)
{
    const TRows rows{
        {L"C:\\Beyoncé\\", L"1"}, {L"D:\\简体中文\\", L"2"}, {L"E:\\😀emoji\\", L"3"}, {L"F:\\資料\\", L"4"}};
    for (const auto& [caption, depth] : rows) form->ListView1->AddRow(caption, depth);
    form->Edit2->SetText(L"G:\\Beyoncé\\");
    form->Edit3->SetText(L"😀.txt");
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_EQ(FileBytes(file),
              Utf16File(L"[DIR]\r\nDIR0=C:\\Beyoncé\\;1\r\nDIR1=D:\\简体中文\\;2\r\nDIR2=E:\\😀emoji\\;3\r\n"
                        L"DIR3=F:\\資料\\;4\r\n[OUTPUT]\r\nOUTPUTDIR=G:\\Beyoncé\\\r\nOUTPUTTYPE=0\r\n"
                        L"OUTPUTFILE=😀.txt\r\n"));

    form->ListView1->ClearRows();
    form->Edit2->SetText(L"");
    form->Edit3->SetText(L"");
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(Rows(form->ListView1), rows);
    EXPECT_EQ(form->Edit2->Text(), L"G:\\Beyoncé\\");
    EXPECT_EQ(form->Edit3->Text(), L"😀.txt");
}

// Settings the code page holds keep the file in it byte for byte; the first that it cannot hold
// turns the whole file into UTF-16, with every other section and key, and it stays so.
TEST_F(ConfigEncodingTest, AnAnsiFileBecomesUtf16WholeOnlyWhenASettingNeedsIt)
{
    const std::string ansi =
        "[DIR]\r\nDIR0=C:\\\xB8\xEA\xAE\xC6\\;1\r\n[OUTPUT]\r\nOUTPUTDIR=D:\\Out\\\r\n"
        "NOTE=\xB8\xEA\xAE\xC6\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=folvane.txt\r\n[OTHER]\r\nKEY=value\r\n";
    SetFileBytes(file, ansi);
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_EQ(FileBytes(file), ansi);

    form->ListView1->AddRow(L"C:\\Beyoncé\\", L"2");
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_EQ(FileBytes(file),
              Utf16File(L"[DIR]\r\nDIR0=C:\\資料\\;1\r\nDIR1=C:\\Beyoncé\\;2\r\n[OUTPUT]\r\n"
                        L"OUTPUTDIR=D:\\Out\\\r\nNOTE=資料\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=folvane.txt\r\n"
                        L"[OTHER]\r\nKEY=value\r\n"));

    form->ListView1->DeleteRow(1);
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_EQ(FileBytes(file), Utf16File(AnsiToWide(ansi)));
}

TEST_F(ConfigEncodingTest, TheListingsEncodingRoundTripsAndAnythingButUtf8MeansAnsi)
{
    // The encoding in use, with its menu entry checked and the other not.
    auto inUse = [this](TListingEncoding encoding) {
        EXPECT_EQ(form->OutputEncoding, encoding);
        EXPECT_EQ(form->ENCA1->Checked(), encoding == leAnsi);
        EXPECT_EQ(form->ENCU1->Checked(), encoding == leUtf8);
    };
    form->ENCU1Click();
    inUse(leUtf8);
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_NE(FileBytes(file).find("OUTPUTFILE=folvane.txt\r\nOUTPUTENCODING=UTF-8\r\n"), std::string::npos);
    form->ENCA1Click();
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    inUse(leUtf8);

    // Once the file names an encoding, a save to ANSI says so.
    form->ENCA1Click();
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_NE(FileBytes(file).find("OUTPUTENCODING=ANSI\r\n"), std::string::npos);
    form->ENCU1Click();
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    inUse(leAnsi);

    for (const auto& [line, expected] : {std::pair{"", leAnsi}, std::pair{"OUTPUTENCODING=UTF-16\r\n", leAnsi},
                                         std::pair{"OUTPUTENCODING= utf-8 \r\n", leUtf8}}) {
        form->SetOutputEncoding(expected == leAnsi ? leUtf8 : leAnsi);
        SetFileBytes(file, std::string("[OUTPUT]\r\nOUTPUTDIR=D:\\\r\n") + line);
        ASSERT_EQ(Load(file), L"載入設定檔完成");
        inUse(expected);
    }
}

} // namespace

#include "FormFixture.h"
#include "ListingShape.h"

#include "app/UnattendedRun.h"
#include "framework/Text.h"

namespace {

// A chain of folders whose names the ANSI code page (950) holds in part or not at all, one per level,
// so that the listing's order does not depend on the file system:
// Beyoncé\東京タワー\简体中文\😀emoji
class NameEncodingTest : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        ASSERT_EQ(GetACP(), 950u);
        tree.Dir(L"names\\Beyonc\u00e9\\\u6771\u4eac\u30bf\u30ef\u30fc\\\u7b80\u4f53\u4e2d\u6587\\\U0001F600emoji");
        out = tree.Dir(L"out") + L"\\";
        form->Edit2->SetText(out);
        AddRows({{tree.Root() + L"names\\", L"4"}});
        root = tree.RootAnsi() + "names\\"; // ASCII: the same bytes in both encodings
    }

    // The chain's lines with the names as the encoding writes them, and the final line break.
    std::string Body(const std::string& beyonce, const std::string& tokyo, const std::string& simplified,
                     const std::string& emoji) const
    {
        std::string first = root + beyonce + "\\";
        std::string second = first + tokyo + "\\";
        std::string third = second + simplified + "\\";
        return ListingLine(0, root) + ListingLine(1, first) + ListingLine(2, second) + ListingLine(3, third) +
               ListingLine(4, third + emoji) + "\r\n";
    }

    std::wstring Run()
    {
        driver.Expect(kMessageCaption, TModalDriver::Press(IDOK));
        form->BitBtn5Click();
        return driver.WaitDone(3000) ? driver.Texts().at(0) : L"<no message>";
    }

    static std::string AfterFirstLine(const std::string& bytes)
    {
        size_t end = bytes.find("\r\n");
        return end == std::string::npos ? "<no header line>" : bytes.substr(end + 2);
    }

    std::wstring out;
    std::string root;
};

TEST_F(NameEncodingTest, Utf8ListingHoldsEveryNameExactlyAfterAByteOrderMark)
{
    form->OutputEncoding = leUtf8;
    EXPECT_EQ(Run(), L"目錄列舉完畢");
    std::string bytes = FileBytes(out + L"folvane.txt");
    // The mark, then the header in UTF-8: "列舉日期: ".
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF\xE5\x88\x97\xE8\x88\x89\xE6\x97\xA5\xE6\x9C\x9F: ")) << bytes;
    EXPECT_EQ(AfterFirstLine(bytes),
              Body("Beyonc\xC3\xA9", "\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x82\xBF\xE3\x83\xAF\xE3\x83\xBC",
                   "\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87",
                   "\xF0\x9F\x98\x80"
                   "emoji"));
    EXPECT_EQ(form->RunReport.LostNames, 0u);
}

// What the code page lacks becomes "?", never a look-alike ("e" for "é"), one for each character: the
// emoji is one character in two UTF-16 units. 東京 and 体中文 are in code page 950, the kana and 简 are not.
TEST_F(NameEncodingTest, AnsiListingWritesAQuestionMarkForEachCharacterTheCodePageLacksAndSaysSo)
{
    std::wstring message = Run();
    std::string bytes = FileBytes(out + L"folvane.txt");
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(AfterFirstLine(bytes), Body("Beyonc?", "\xAA\x46\xA8\xCA???", "?\xCA\x5E\xA4\xA4\xA4\xE5", "?emoji"));
    // Every line below the root lost a character, in its own name or in a parent's.
    EXPECT_EQ(form->RunReport.LostNames, 4u);
    EXPECT_TRUE(message.starts_with(L"目錄列舉完畢\r\n\r\n有 4 個目錄名稱")) << WideToUtf8(message);
    EXPECT_NE(message.find(L"UTF-8"), std::wstring::npos);

    // The unattended run writes the same bytes and tells the same on standard error, and still succeeds.
    std::wstring config = tree.Root() + L"names.cfg";
    SetFileBytes(config, "[DIR]\r\nDIR0=" + root + ";4\r\n[OUTPUT]\r\nOUTPUTDIR=" + WideToAnsi(out) +
                             "\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=unattended.txt\r\n");
    TUnattendedResult result = RunUnattended(config);
    EXPECT_EQ(result.ExitCode, ecSuccess);
    EXPECT_TRUE(result.Message.starts_with(L"有 4 個目錄名稱")) << WideToUtf8(result.Message);
    EXPECT_NE(result.Message.find(L"UTF-8"), std::wstring::npos);
    EXPECT_EQ(AfterFirstLine(FileBytes(out + L"unattended.txt")), AfterFirstLine(bytes));
}

} // namespace

#include "ConfigFixture.h"

#include "framework/Exceptions.h"
#include "framework/IniFile.h"
#include "framework/Text.h"

namespace {

// Every INI write after the given number is refused while the object lives.
class TWritesFailAfter {
public:
    explicit TWritesFailAfter(int writes) { TIniFile::SetWritesBeforeFailure(writes); }
    ~TWritesFailAfter() { TIniFile::SetWritesBeforeFailure(-1); }
};

class ConfigSaveFailureTest : public ConfigFixture {
protected:
    void SetUp() override
    {
        ConfigFixture::SetUp();
        form->SaveDialog1 = new TAnsweredSaveDialog(form, file);
        SetFileBytes(file, kBefore);
    }

    // Saves and expects the platform's write error; returns false when the save went through (its
    // completion message is then answered).
    bool SaveFails()
    {
        TModalDriver message;
        message.Expect(kMessageCaption, TModalDriver::Press(IDOK));
        try {
            form->CFGS1Click();
        } catch (const EIniFileException& error) {
            EXPECT_EQ(error.Message(), L"Unable to write to " + file);
            return true;
        }
        return false;
    }

    const std::string kBefore =
        "[DIR]\r\nDIR0=old\\;1\r\nDIR1=older\\;2\r\n[OUTPUT]\r\nOUTPUTDIR=x\\\r\nOUTPUTTYPE=0\r\n"
        "OUTPUTFILE=a.txt\r\n[OTHER]\r\nKEY=value\r\n";
};

// A full disk or a lost connection can refuse any write of a save; the file as it was is kept
// whole, in the ANSI code page or on the way to UTF-16 alike.
TEST_F(ConfigSaveFailureTest, AWriteRefusedPartWayLeavesThePreviousFileByteForByteAndNoCopy)
{
    AddRows({{L"new\\", L"3"}});
    form->SetOutputEncoding(leUtf8);
    form->ExcludePatterns = {L"bin"};
    // The section of rows, the three output settings, the encoding and the excluded names.
    constexpr int kWrites = 6;
    for (const wchar_t* root : {L"C:\\plain\\", L"C:\\Beyoncé\\"}) {
        form->ListView1->AddRow(root, L"1");
        for (int writes = 0; writes < kWrites; ++writes) {
            TWritesFailAfter failure(writes);
            EXPECT_TRUE(SaveFails()) << "the save went through with the write after " << writes << " refused";
            EXPECT_EQ(FileBytes(file), kBefore) << "refused after " << writes << " writes";
            EXPECT_EQ(FolderEntries(tree.Root()), std::vector<std::wstring>{L"settings.cfg"});
        }
        form->ListView1->DeleteRow(form->ListView1->RowCount() - 1);
    }

    {
        TWritesFailAfter failure(kWrites);
        EXPECT_FALSE(SaveFails());
    }
    EXPECT_EQ(FileBytes(file), "[DIR]\r\nDIR0=new\\;3\r\n[OUTPUT]\r\nOUTPUTDIR=" + WideToAnsi(form->StartDir) +
                                   "\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=folvane.txt\r\nOUTPUTENCODING=UTF-8\r\n[OTHER]\r\n"
                                   "KEY=value\r\n[EXCLUDE]\r\nEXCLUDE0=bin\r\n");
    EXPECT_EQ(FolderEntries(tree.Root()), std::vector<std::wstring>{L"settings.cfg"});
}

// The last step puts the new file in place; when another program holds the old one open, that step
// is refused too, and the old file stays.
TEST_F(ConfigSaveFailureTest, AFileThatCannotBeReplacedStaysAndTheCopyGoes)
{
    AddRows({{L"new\\", L"3"}});
    HANDLE held =
        CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SaveFails());
    CloseHandle(held);
    EXPECT_EQ(FileBytes(file), kBefore);
    EXPECT_EQ(FolderEntries(tree.Root()), std::vector<std::wstring>{L"settings.cfg"});
}

} // namespace

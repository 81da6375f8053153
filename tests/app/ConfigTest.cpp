#include "ConfigFixture.h"

#include "framework/Exceptions.h"
#include "framework/Text.h"

namespace {

class ConfigTest : public ConfigFixture {};

TEST_F(ConfigTest, SaveWritesANewFileInTheAnsiCodePageSectionByLine)
{
    AddRows({{L"D:\\Work\\", L"2"}, {L"C:\\資料\\", L"1"}});
    form->Edit2->SetText(L"C:\\Tools\\Output\\");
    form->Edit3->SetText(L"folvane.txt");
    EXPECT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_EQ(FileBytes(file),
              "[DIR]\r\nDIR0=D:\\Work\\;2\r\nDIR1=C:\\\xB8\xEA\xAE\xC6\\;1\r\n"
              "[OUTPUT]\r\nOUTPUTDIR=C:\\Tools\\Output\\\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=folvane.txt\r\n");
    EXPECT_EQ(form->OutputDir, L"C:\\Tools\\Output\\");
    EXPECT_EQ(form->OutputType, L"0");
    EXPECT_EQ(form->OutputFile, L"folvane.txt");
}

TEST_F(ConfigTest, SavedSettingsComeBackOnLoad)
{
    const TRows rows{{L"C:\\資料\\", L"3"}, {L"C:\\with;semicolon\\", L"8"}, {L"relative", L"x"}};
    for (const auto& [caption, depth] : rows) form->ListView1->AddRow(caption, depth);
    form->RadioButton2->SetChecked(true);
    form->Edit2->SetText(L"D:\\Out\\");
    form->Edit3->SetText(L"name.txt");
    ASSERT_EQ(Save(file), L"儲存設定檔完成");

    form->ListView1->ClearRows();
    form->RadioButton1->SetChecked(true);
    form->Edit2->SetText(L"");
    form->Edit3->SetText(L"");
    EXPECT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(Rows(form->ListView1), rows);
    EXPECT_TRUE(form->RadioButton2->Checked());
    EXPECT_FALSE(form->RadioButton1->Checked());
    EXPECT_EQ(form->Edit2->Text(), L"D:\\Out\\");
    EXPECT_EQ(form->Edit3->Text(), L"name.txt");
    EXPECT_EQ(form->Caption(), L"Folvane Tool - " + file);
}

TEST_F(ConfigTest, SaveReplacesTheWholeListAndLeavesEverythingElse)
{
    SetFileBytes(file, "[DIR]\r\nDIR0=a\\;1\r\nDIR1=b\\;1\r\nDIR2=c\\;1\r\nDIR3=d\\;1\r\nDIR4=e\\;1\r\n"
                   "[OUTPUT]\r\nOUTPUTDIR=x\\\r\nNOTE=kept\r\n[OTHER]\r\nKEY=value\r\n");
    AddRows({{L"new\\", L"2"}, {L"second\\", L"3"}});
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(Rows(form->ListView1), (TRows{{L"new\\", L"2"}, {L"second\\", L"3"}}));
    std::string bytes = FileBytes(file);
    EXPECT_NE(bytes.find("NOTE=kept\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("[OTHER]\r\nKEY=value\r\n"), std::string::npos);
    EXPECT_LT(bytes.find("[DIR]"), bytes.find("[OUTPUT]"));

    form->ListView1->ClearRows();
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(form->ListView1->RowCount(), 0);
}

TEST_F(ConfigTest, LoadTakesEveryLineInFileOrderTrimmedAndUnquoted)
{
    std::string longPath = "C:\\" + std::string(3000, 'p') + "\\";
    SetFileBytes(file, "[DIR]\r\nZ=  C:\\b\\;2  \r\nDIR0=C:\\a;x\\;3\r\nnodepth=C:\\c\\\r\nlong=" + longPath +
                           ";1\r\nquoted=\" C:\\q\\;4 \"\r\nC:\\no key\\;5\r\n[OUTPUT]\r\nOUTPUTTYPE=x\r\n");
    form->ListView1->AddRow(L"old", L"1");
    EXPECT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(Rows(form->ListView1), (TRows{{L"C:\\b\\", L"2"},
                                            {L"C:\\a;x\\", L"3"},
                                            {L"C:\\c\\", L""},
                                            {AnsiToWide(longPath), L"1"},
                                            {L"C:\\q\\", L"4"},
                                            {L"C:\\no key\\", L"5"}}));
    EXPECT_TRUE(form->RadioButton2->Checked());
    EXPECT_EQ(form->Edit2->Text(), form->StartDir + L"Output\\");
    EXPECT_EQ(form->Edit3->Text(), L"folvane.txt");
    ASSERT_EQ(form->DirSectionLines->size(), 6u);
    EXPECT_EQ(form->DirSectionLines->at(0), L"C:\\b\\;2");
}

// A hand-edited or merged file can name a key twice; each line is a row of its own.
TEST_F(ConfigTest, AKeyNameWrittenTwiceGivesBothRowsInFileOrder)
{
    SetFileBytes(file, "[DIR]\r\nDIR0=a;1\r\nDIR1=m;3\r\nDIR0=b;2\r\n");
    EXPECT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(Rows(form->ListView1), (TRows{{L"a", L"1"}, {L"m", L"3"}, {L"b", L"2"}}));
}

// The depth is the text between the first and the second ";"; only a path that holds ";" (its
// depth text no integer, the text after the last ";" one) is split at the last ";".
TEST_F(ConfigTest, DepthEndsAtTheNextSemicolonUnlessThePathHoldsOne)
{
    SetFileBytes(file, "[DIR]\r\nDIR0=D:\\Work\\;2;\r\nDIR1=D:\\Work\\;2;note\r\nDIR2=C:\\with;semi;colons\\;8\r\n"
                       "DIR3=C:\\x;1;2\r\nDIR4=C:\\a;b;c\r\nDIR5=C:\\d;;7\r\nDIR6=C:\\e;x\r\n");
    EXPECT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(Rows(form->ListView1), (TRows{{L"D:\\Work\\", L"2"},
                                            {L"D:\\Work\\", L"2"},
                                            {L"C:\\with;semi;colons\\", L"8"},
                                            {L"C:\\x", L"1"},
                                            {L"C:\\a", L"b"},
                                            {L"C:\\d;", L"7"},
                                            {L"C:\\e", L"x"}}));
}

TEST_F(ConfigTest, TwentyThousandRowsRoundTripByteForByteInTheirOrder)
{
    std::string bytes = "[DIR]\r\n";
    TRows rows;
    for (int i = 0; i < 20000; ++i) {
        std::wstring path = (i % 3 ? L"D:\\Site" : L"D:\\站點") + std::to_wstring(19999 - i) + L"\\";
        rows.emplace_back(path, std::to_wstring(1 + i % 8));
        bytes += "DIR" + std::to_string(i) + "=" + WideToAnsi(path) + ";" + std::to_string(1 + i % 8) + "\r\n";
    }
    bytes += "[OUTPUT]\r\nOUTPUTDIR=D:\\Out\\\r\nOUTPUTTYPE=1\r\nOUTPUTFILE=plan.txt\r\n";
    SetFileBytes(file, bytes);

    ASSERT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(Rows(form->ListView1), rows);
    EXPECT_EQ(SendMessageW(form->ListView1->Handle(), LVM_GETITEMCOUNT, 0, 0), 20000);
    std::wstring copy = tree.Root() + L"copy.cfg";
    ASSERT_EQ(Save(copy), L"儲存設定檔完成");
    EXPECT_EQ(FileBytes(copy), bytes);
    // Saving over the file it came from leaves it as it was.
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_EQ(FileBytes(file), bytes);
}

// A file that is missing, empty or anything but a .cfg would otherwise load as one without rows,
// with every output setting at its default.
TEST_F(ConfigTest, AFileThatIsNoConfigIsRefusedAndChangesNothing)
{
    SetFileBytes(file,
                 "[DIR]\r\nDIR0=kept\\;2\r\n[OUTPUT]\r\nOUTPUTDIR=D:\\Kept\\\r\nOUTPUTTYPE=1\r\nOUTPUTFILE=k.txt\r\n"
                 "OUTPUTENCODING=UTF-8\r\n[EXCLUDE]\r\nEXCLUDE0=bin\r\n");
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    const std::wstring caption = form->Caption();

    std::string random;
    for (int i = 0; i < 65536; ++i) random += static_cast<char>((i * 7919 + i / 251) % 256);
    const std::wstring missing = tree.Root() + L"missing.cfg";
    const std::wstring empty = tree.Root() + L"empty.cfg";
    const std::wstring noise = tree.Root() + L"random.cfg";
    const std::wstring oneLine = tree.Root() + L"line.cfg";
    SetFileBytes(empty, "");
    SetFileBytes(noise, random);
    SetFileBytes(oneLine, std::string(1024 * 1024, 'x'));
    for (const std::wstring& bad : {missing, empty, noise, oneLine}) {
        std::wstring error = RunRefused<EFOpenError>(L"選擇檔案載入", bad, [this] { form->CFGL1Click(); });
        if (bad == missing)
            EXPECT_EQ(error.rfind(L"Cannot open file \"" + bad + L"\". ", 0), 0u) << WideToUtf8(error);
        else
            EXPECT_EQ(error, L"不是設定檔: " + bad);
        EXPECT_EQ(Rows(form->ListView1), (TRows{{L"kept\\", L"2"}}));
        EXPECT_EQ(form->Edit2->Text(), L"D:\\Kept\\");
        EXPECT_EQ(form->Edit3->Text(), L"k.txt");
        EXPECT_TRUE(form->RadioButton2->Checked());
        EXPECT_EQ(form->OutputEncoding, leUtf8);
        EXPECT_EQ(form->ExcludePatterns, std::vector<std::wstring>{L"bin"});
        EXPECT_EQ(form->Caption(), caption);
    }
    EXPECT_FALSE(FileExists(missing));
}

// The refusal reaches the person as the program's error report, from the menu as from anywhere.
TEST_F(ConfigTest, TheRefusalIsShownInTheSkinnedErrorReport)
{
    SetFileBytes(file, "just some text\r\n");
    Application->OnException = [this](const Exception& error) { form->ReportError(error); };
    TModalDriver fileDialog;
    TModalDriver error;
    TModalDriver completion;
    fileDialog.Expect(L"選擇檔案載入", TModalDriver::SetTextAndPress(kFileNameBox, file, IDOK));
    error.Expect(L"Error", TModalDriver::Press(IDOK));
    completion.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    form->CFGL1->Click();
    EXPECT_TRUE(fileDialog.WaitDone());
    EXPECT_TRUE(error.WaitDone(3000));
    EXPECT_FALSE(completion.WaitDone(500)) << "a completion message was shown";
    Application->OnException = nullptr;
    ASSERT_EQ(error.Texts().size(), 1u);
    EXPECT_EQ(error.Texts()[0], L"不是設定檔: " + file);
}

// A list saved empty still makes a .cfg: its output settings load, and it has no rows.
TEST_F(ConfigTest, AnEmptyDirSectionStillLoads)
{
    AddRows({{L"old\\", L"1"}});
    SetFileBytes(file, "[DIR]\r\n[OUTPUT]\r\nOUTPUTDIR=D:\\Out\\\r\n");
    EXPECT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(form->ListView1->RowCount(), 0);
    EXPECT_EQ(form->Edit2->Text(), L"D:\\Out\\");
    EXPECT_EQ(form->Edit3->Text(), L"folvane.txt");
    EXPECT_EQ(form->Caption(), L"Folvane Tool - " + file);
}

TEST_F(ConfigTest, RefusedSaveRaisesUnableToWriteAndShowsNoMessage)
{
    AddRows({{L"a\\", L"1"}});
    std::wstring unwritable = tree.Root() + L"no folder\\x.cfg";
    EXPECT_EQ(RunRefused<EIniFileException>(L"選擇檔案儲存", unwritable, [this] { form->CFGS1Click(); }),
              L"Unable to write to " + unwritable);
}

// A save dialog that answers with its file and, the first time, then locks that file against every
// other opening: a failure that strikes in the middle of a save, after the file was chosen.
class TLockingSaveDialog : public TAnsweredSaveDialog {
public:
    using TAnsweredSaveDialog::TAnsweredSaveDialog;
    ~TLockingSaveDialog() override { Unlock(); }
    bool Execute() override
    {
        if (!used_) lock_ = CreateFileW(FileName().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        used_ = true;
        return true;
    }
    void Unlock()
    {
        if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
        lock_ = INVALID_HANDLE_VALUE;
    }
    bool Locked() const { return lock_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE lock_ = INVALID_HANDLE_VALUE;
    bool used_ = false;
};

TEST_F(ConfigTest, ASaveThatFailsOnTheWayKeepsEveryRowTheFileHad)
{
    const std::string oldRows = "[DIR]\r\nDIR0=a\\;1\r\nDIR1=b\\;1\r\nDIR2=c\\;1\r\nDIR3=d\\;1\r\nDIR4=e\\;1\r\n";
    SetFileBytes(file, oldRows + "[OUTPUT]\r\nOUTPUTDIR=x\\\r\n");
    AddRows({{L"new\\", L"2"}, {L"second\\", L"3"}});
    auto* dialog = new TLockingSaveDialog(form, file);
    form->SaveDialog1 = dialog;
    EXPECT_THROW(form->CFGS1Click(), EIniFileException);
    EXPECT_TRUE(dialog->Locked());
    dialog->Unlock();
    EXPECT_NE(FileBytes(file).find(oldRows), std::string::npos) << FileBytes(file);

    TModalDriver message;
    message.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    form->CFGS1Click();
    EXPECT_TRUE(message.WaitDone());
    EXPECT_EQ(FileBytes(file).rfind("[DIR]\r\nDIR0=new\\;2\r\nDIR1=second\\;3\r\n[OUTPUT]\r\n", 0), 0u);
}

TEST_F(ConfigTest, CancelledDialogsChangeNothing)
{
    AddRows({{L"kept\\", L"1"}});
    std::wstring caption = form->Caption();
    for (auto command : {&TForm1::CFGS1Click, &TForm1::CFGL1Click}) {
        TModalDriver cancel;
        cancel.Expect(command == &TForm1::CFGS1Click ? L"選擇檔案儲存" : L"選擇檔案載入",
                      TModalDriver::Press(IDCANCEL));
        (form->*command)();
        EXPECT_TRUE(cancel.WaitDone());
    }
    EXPECT_EQ(form->ListView1->RowCount(), 1);
    EXPECT_EQ(form->Caption(), caption);
}

} // namespace

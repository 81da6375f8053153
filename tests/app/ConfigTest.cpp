#include "FormFixture.h"

#include "framework/Exceptions.h"
#include "framework/Text.h"

namespace {

constexpr int kFileNameBox = 0x47C;  // the file dialogs' file name box

using TRows = std::vector<std::pair<std::wstring, std::wstring>>;

TRows Rows(TListView* list)
{
    TRows rows;
    for (int i = 0; i < list->RowCount(); ++i) rows.emplace_back(list->RowCaption(i), list->RowSubItem(i));
    return rows;
}

// Save and load through the real file dialogs, answered by typing the file name.
class ConfigTest : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        file = tree.Root() + L"settings.cfg";
    }

    // Runs the command; returns the message it showed ("" when none) and lets errors through.
    std::wstring Save(const std::wstring& path)
    {
        return Run(L"選擇檔案儲存", path, [this] { form->CFGS1Click(); });
    }
    std::wstring Load(const std::wstring& path)
    {
        return Run(L"選擇檔案載入", path, [this] { form->CFGL1Click(); });
    }

    std::wstring Run(const std::wstring& dialog, const std::wstring& path, const std::function<void()>& command)
    {
        TModalDriver fileDialog;
        TModalDriver message;
        fileDialog.Expect(dialog, TModalDriver::SetTextAndPress(kFileNameBox, path, IDOK));
        message.Expect(kMessageCaption, TModalDriver::Press(IDOK));
        command();
        EXPECT_TRUE(fileDialog.WaitDone());
        return message.WaitDone(1500) ? message.Texts().at(0) : L"";
    }

    std::wstring file;
};

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

TEST_F(ConfigTest, LoadTakesEveryKeyInFileOrderTrimmedAndSplitAtTheLastSemicolon)
{
    std::string longPath = "C:\\" + std::string(3000, 'p') + "\\";
    SetFileBytes(file, "[DIR]\r\nZ=  C:\\b\\;2  \r\nDIR0=C:\\a;x\\;3\r\nnodepth=C:\\c\\\r\nlong=" + longPath + ";1\r\n"
                   "[OUTPUT]\r\nOUTPUTTYPE=x\r\n");
    form->ListView1->AddRow(L"old", L"1");
    EXPECT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(Rows(form->ListView1),
              (TRows{{L"C:\\b\\", L"2"}, {L"C:\\a;x\\", L"3"}, {L"C:\\c\\", L""}, {AnsiToWide(longPath), L"1"}}));
    EXPECT_TRUE(form->RadioButton2->Checked());
    EXPECT_EQ(form->Edit2->Text(), form->StartDir + L"Output\\");
    EXPECT_EQ(form->Edit3->Text(), L"folvane.txt");
    ASSERT_EQ(form->DirSectionLines->size(), 4u);
    EXPECT_EQ(form->DirSectionLines->at(0), L"C:\\b\\;2");
}

TEST_F(ConfigTest, LoadingAMissingFileEmptiesTheListAndTakesTheDefaults)
{
    AddRows({{L"old\\", L"1"}});
    form->RadioButton2->SetChecked(true);
    std::wstring missing = tree.Root() + L"missing.cfg";
    EXPECT_EQ(Load(missing), L"載入設定檔完成");
    EXPECT_EQ(form->ListView1->RowCount(), 0);
    EXPECT_TRUE(form->RadioButton1->Checked());
    EXPECT_EQ(form->Edit2->Text(), form->StartDir + L"Output\\");
    EXPECT_EQ(form->Edit3->Text(), L"folvane.txt");
    EXPECT_EQ(form->Caption(), L"Folvane Tool - " + missing);
    EXPECT_FALSE(FileExists(missing));
}

TEST_F(ConfigTest, RefusedSaveRaisesUnableToWriteAndShowsNoMessage)
{
    AddRows({{L"a\\", L"1"}});
    std::wstring unwritable = tree.Root() + L"no folder\\x.cfg";
    TModalDriver fileDialog;
    TModalDriver message;
    fileDialog.Expect(L"選擇檔案儲存", TModalDriver::SetTextAndPress(kFileNameBox, unwritable, IDOK));
    message.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    try {
        form->CFGS1Click();
        ADD_FAILURE() << "no error raised";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), L"Unable to write to " + unwritable);
    }
    EXPECT_TRUE(fileDialog.WaitDone());
    EXPECT_FALSE(message.WaitDone(1500)) << "a message was shown";
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

#include "FormFixture.h"

#include "framework/Exceptions.h"

namespace {

std::vector<std::pair<std::wstring, std::wstring>> Rows(TListView* list)
{
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    for (int i = 0; i < list->RowCount(); ++i) rows.emplace_back(list->RowCaption(i), list->RowSubItem(i));
    return rows;
}

using ListEditTest = FormFixture;

TEST_F(ListEditTest, AddTakesThePathAsTypedAndTheDepthTrimmed)
{
    form->Edit1->SetText(L"C:\\Data\\");
    form->ComboBox1->SetText(L" 3 ");
    form->BitBtn2Click();
    form->Edit1->SetText(L"   ");
    form->ComboBox1->SetText(L"x");
    form->BitBtn2Click();
    form->Edit1->SetText(L"");
    form->BitBtn2Click();
    EXPECT_EQ(Rows(form->ListView1),
              (std::vector<std::pair<std::wstring, std::wstring>>{{L"C:\\Data\\", L"3"}, {L"   ", L"x"}}));
    EXPECT_EQ(form->ComboBox1->Text(), L"x");
}

TEST_F(ListEditTest, DuplicatesAreFoundWithAsciiLettersFoldedOnly)
{
    AddRows({{L"c:\\data\\", L"1"}, {L"D:\\Äb\\", L"1"}});
    for (const wchar_t* typed : {L"C:\\DATA\\", L"C:\\Data", L"C:\\Data\\ ", L"D:\\äb\\", L"D:\\ÄB\\"}) {
        form->Edit1->SetText(typed);
        form->ComboBox1->SetText(L"2");
        form->BitBtn2Click();
    }
    EXPECT_EQ(Rows(form->ListView1), (std::vector<std::pair<std::wstring, std::wstring>>{{L"c:\\data\\", L"1"},
                                                                                          {L"D:\\Äb\\", L"1"},
                                                                                          {L"C:\\Data", L"2"},
                                                                                          {L"C:\\Data\\ ", L"2"},
                                                                                          {L"D:\\äb\\", L"2"}}));
}

TEST_F(ListEditTest, DeleteRemovesTheSelectedRowAndNothingWithoutSelection)
{
    AddRows({{L"A\\", L"1"}, {L"B\\", L"2"}, {L"C\\", L"3"}});
    form->BitBtn3Click();
    EXPECT_EQ(form->ListView1->RowCount(), 3);
    form->ListView1->SetRowSelected(1, true);
    form->BitBtn3Click();
    EXPECT_EQ(Rows(form->ListView1),
              (std::vector<std::pair<std::wstring, std::wstring>>{{L"A\\", L"1"}, {L"C\\", L"3"}}));
}

// Types a name into the folder chooser's name box and presses OK.
TModalDriver::TAction ChooseFolder(const std::wstring& name)
{
    return [name](HWND dialog) {
        SendMessageW(FindWindowExW(dialog, nullptr, L"Edit", nullptr), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(name.c_str()));
        TModalDriver::Press(IDOK)(dialog);
    };
}

TEST_F(ListEditTest, ChosenFolderIsCreatedWithItsParentsAndGoesIntoTheBoxWithABackslash)
{
    std::wstring chosen = tree.Root() + L"new\\deeper";
    driver.Expect(L"Select Directory", ChooseFolder(chosen));
    driver.Expect(L"Confirm", TModalDriver::Press(IDYES));
    form->BitBtn1Click();
    ASSERT_TRUE(driver.WaitDone());
    EXPECT_EQ(form->Edit1->Text(), chosen + L"\\");
    EXPECT_TRUE(FileExists(chosen));
}

TEST_F(ListEditTest, DriveRootKeepsItsSingleBackslashInTheOutputBox)
{
    driver.Expect(L"Select Directory", ChooseFolder(L"C:\\"));
    form->BitBtn4Click();
    ASSERT_TRUE(driver.WaitDone());
    EXPECT_EQ(form->Edit2->Text(), L"C:\\");
}

TEST_F(ListEditTest, CancelOrAnEmptyNameLeaveTheBoxAsItWas)
{
    form->Edit1->SetText(L"before");
    driver.Expect(L"Select Directory", TModalDriver::Press(IDCANCEL));
    form->BitBtn1Click();
    ASSERT_TRUE(driver.WaitDone());
    EXPECT_EQ(form->Edit1->Text(), L"before");

    TModalDriver emptyName;
    emptyName.Expect(L"Select Directory", ChooseFolder(L""));
    emptyName.Expect(L"Confirm", TModalDriver::Press(IDYES));
    try {
        form->BitBtn1Click();
        ADD_FAILURE() << "no error raised";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), L"Unable to create directory");
    }
    ASSERT_TRUE(emptyName.WaitDone());
    EXPECT_EQ(form->Edit1->Text(), L"before");
}

} // namespace

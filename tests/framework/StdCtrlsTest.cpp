#include "WindowTesting.h"

#include "framework/StdCtrls.h"

namespace {

class ComboBox : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Combo = new TComboBox(Form);
        Combo->SetParent(Form);
        Combo->SetBounds(86, 60, 35, 21);
        for (int i = 1; i <= 8; ++i) Combo->Items().Add(std::to_wstring(i));
        Combo->SetText(L"1");
    }

    std::wstring ItemText(int index)
    {
        wchar_t buffer[64] = {};
        SendMessageW(Combo->Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }

    TComboBox* Combo = nullptr;
};

} // namespace

TEST_F(ComboBox, TextAndItemsGivenBeforeTheWindowAreInIt)
{
    ShowForm();
    EXPECT_EQ(WindowText(Combo->Handle()), L"1");
    ASSERT_EQ(SendMessageW(Combo->Handle(), CB_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(ItemText(7), L"8");
    EXPECT_EQ(ChildRect(Combo->Handle()), TRect::FromSize(86, 60, 35, 21));
    EXPECT_EQ(SendMessageW(Combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_EQ(GetWindowLongW(Combo->Handle(), GWL_STYLE) & 3, CBS_DROPDOWN);
}

TEST_F(ComboBox, ChangingTheItemsKeepsTheTypedText)
{
    ShowForm();
    SetWindowTextW(Combo->Handle(), L"12");
    Combo->Items().Delete(0);
    Combo->Items().Add(L"9");
    EXPECT_EQ(Combo->Text(), L"12");
    ASSERT_EQ(SendMessageW(Combo->Handle(), CB_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(ItemText(0), L"2");
    EXPECT_EQ(ItemText(7), L"9");
}

TEST_F(ComboBox, ChoosingAnItemFromTheListGivesItsTextAndTellsTheOwner)
{
    int changes = 0;
    Combo->OnChange = [&] { ++changes; };
    ShowForm();
    SendMessageW(Combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(Combo->Handle(), &info));
    RECT list;
    GetWindowRect(info.hwndList, &list);
    // The dropped list shows all eight items.
    EXPECT_GE(list.bottom - list.top, 8 * 13);
    SendMessageW(Combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);

    Combo->SetItemIndex(4);
    EXPECT_EQ(Combo->Text(), L"5");
    EXPECT_EQ(Combo->ItemIndex(), 4);
    SendMessageW(Combo->Handle(), CB_SETCURSEL, 2, 0);
    SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo->Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Combo->Handle()));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Combo->ItemIndex(), 2);
}

using Edits = WindowTest;

TEST_F(Edits, TheBoxReportsWhatIsTypedAndSettingTheTextReplacesIt)
{
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    int changes = 0;
    edit->OnChange = [&] { ++changes; };
    ShowForm();
    edit->SetFocus();
    for (wchar_t c : std::wstring(L"C:\\目錄")) PostMessageW(edit->Handle(), WM_CHAR, c, 1);
    Application->ProcessMessages();
    EXPECT_EQ(edit->Text(), L"C:\\目錄");
    EXPECT_EQ(changes, 5);
    edit->SetText(L"folvane.txt");
    EXPECT_EQ(WindowText(edit->Handle()), L"folvane.txt");
    // A double-byte character is one unit for the caret and deletion.
    SendMessageW(edit->Handle(), EM_SETSEL, 0, -1);
    edit->SetText(L"字");
    SendMessageW(edit->Handle(), EM_SETSEL, 1, 1);
    PostMessageW(edit->Handle(), WM_KEYDOWN, VK_BACK, 1);
    PostMessageW(edit->Handle(), WM_CHAR, VK_BACK, 1);
    Application->ProcessMessages();
    EXPECT_EQ(edit->Text(), L"");
}

TEST_F(Edits, AButtonRunsItsEventOnceForAClickAndOnceForTheSpaceKey)
{
    auto* button = new TButton(Form);
    button->SetParent(Form);
    button->SetCaption(L"開始列舉");
    int clicks = 0;
    button->OnClick = [&] { ++clicks; };
    ShowForm();
    EXPECT_EQ(WindowText(button->Handle()), L"開始列舉");
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    button->SetFocus();
    PressKey(VK_SPACE);
    EXPECT_EQ(clicks, 2);
}

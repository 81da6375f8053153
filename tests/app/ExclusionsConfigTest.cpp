#include "ConfigFixture.h"

#include "app/ExclusionsDialog.h"

namespace {

using TPatterns = std::vector<std::wstring>;

class ExclusionsConfigTest : public ConfigFixture {
protected:
    // The exclusions dialog while it is shown, or none.
    static TExclusionsDialog* Dialog()
    {
        HWND window = FindWindowW(nullptr, L"排除資料夾");
        return window ? dynamic_cast<TExclusionsDialog*>(TWinControl::FindControl(window)) : nullptr;
    }

    // Opens the dialog from the menu's command; the steps then run one after another inside its modal
    // loop, each after the input that the one before posted was handled. A dialog that is still
    // open after the last step is a failure, and is cancelled so that the test goes on.
    void OpenDialog(std::vector<std::function<void(TExclusionsDialog&)>> steps)
    {
        steps_ = std::move(steps);
        PostStep(0);
        form->EXCL1Click();
        Pump();
    }

    // Posted behind the input that the step before posted, so it runs once that input was handled.
    void PostStep(size_t index)
    {
        PostAction([this, index] {
            TExclusionsDialog* dialog = Dialog();
            if (index == steps_.size()) {
                if (!dialog) return;
                ADD_FAILURE() << "the dialog is still open";
                dialog->SetModalResult(mrCancel);
                return;
            }
            if (!dialog) {
                ADD_FAILURE() << "the dialog closed before step " << index;
                return;
            }
            steps_[index](*dialog);
            PostStep(index + 1);
        });
    }

    static void Type(TWinControl* control, const std::wstring& text)
    {
        for (wchar_t c : text) PostMessageW(control->Handle(), WM_CHAR, c, 1);
    }
    static void Key(TWinControl* control, WORD key)
    {
        PostMessageW(control->Handle(), WM_KEYDOWN, key, 1);
        PostMessageW(control->Handle(), WM_KEYUP, key, 0xC0000001);
    }
    static void Click(TWinControl* control, int x, int y)
    {
        PostMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static void Click(TWinControl* control) { Click(control, control->Width() / 2, control->Height() / 2); }

    static TPatterns Listed(TExclusionsDialog& dialog)
    {
        TPatterns items;
        for (int i = 0; i < dialog.ListBox1->Items().Count(); ++i) items.push_back(dialog.ListBox1->Items().Strings(i));
        return items;
    }

    std::vector<std::function<void(TExclusionsDialog&)>> steps_;
};

TEST_F(ExclusionsConfigTest, ExcludedNamesRoundTripAsASectionOfTheirOwn)
{
    AddRows({{L"C:\\a\\", L"1"}});
    form->Edit2->SetText(L"D:\\Out\\");
    form->ExcludePatterns = {L"node_modules", L".git", L"Temp*", L"A&B"};
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_EQ(FileBytes(file), "[DIR]\r\nDIR0=C:\\a\\;1\r\n[OUTPUT]\r\nOUTPUTDIR=D:\\Out\\\r\nOUTPUTTYPE=0\r\n"
                               "OUTPUTFILE=folvane.txt\r\n[EXCLUDE]\r\nEXCLUDE0=node_modules\r\nEXCLUDE1=.git\r\n"
                               "EXCLUDE2=Temp*\r\nEXCLUDE3=A&B\r\n");
    form->ExcludePatterns.clear();
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(form->ExcludePatterns, (TPatterns{L"node_modules", L".git", L"Temp*", L"A&B"}));

    // A shorter list replaces the whole section; an empty one leaves none to load.
    form->ExcludePatterns = {L"obj"};
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    EXPECT_NE(FileBytes(file).find("[EXCLUDE]\r\nEXCLUDE0=obj\r\n"), std::string::npos);
    EXPECT_EQ(FileBytes(file).find("EXCLUDE1"), std::string::npos);
    form->ExcludePatterns.clear();
    ASSERT_EQ(Save(file), L"儲存設定檔完成");
    form->ExcludePatterns = {L"x"};
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_TRUE(form->ExcludePatterns.empty());

    // An older file has no such section: it excludes nothing. A hand-edited one gives each name once.
    form->ExcludePatterns = {L"x"};
    SetFileBytes(file, "[DIR]\r\nDIR0=C:\\a\\;1\r\n[OUTPUT]\r\nOUTPUTDIR=D:\\Out\\\r\n");
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_TRUE(form->ExcludePatterns.empty());
    SetFileBytes(file, "[DIR]\r\nDIR0=C:\\a\\;1\r\n[EXCLUDE]\r\nEXCLUDE0= bin \r\nX=BIN\r\nEXCLUDE2=\r\nobj\r\n");
    ASSERT_EQ(Load(file), L"載入設定檔完成");
    EXPECT_EQ(form->ExcludePatterns, (TPatterns{L"bin", L"obj"}));
}

// Enter in the box adds its pattern, trimmed; a pattern listed already (case aside) or a blank one
// is not added. A click chooses a pattern, Delete removes it, and OK keeps the list.
TEST_F(ExclusionsConfigTest, TheDialogAddsAndDeletesByKeyboardAndMouseAndOkKeepsTheList)
{
    form->ExcludePatterns = {L"bin"};
    OpenDialog({
        [](TExclusionsDialog& d) {
            EXPECT_EQ(d.ActiveControl(), d.Edit1);
            Type(d.Edit1, L"  obj  ");
            Key(d.Edit1, VK_RETURN);
            Type(d.Edit1, L"BIN");
            Key(d.Edit1, VK_RETURN);
        },
        [](TExclusionsDialog& d) {
            EXPECT_EQ(d.Patterns(), (TPatterns{L"bin", L"obj"}));
            EXPECT_EQ(Listed(d), (TPatterns{L"bin", L"obj"}));
            // The repeated name shows where it is listed, and typing replaces it.
            EXPECT_EQ(d.ListBox1->ItemIndex(), 0);
            EXPECT_EQ(d.Edit1->SelText(), L"BIN");
            Type(d.Edit1, L"   ");
            Click(d.AddButton);
        },
        [](TExclusionsDialog& d) {
            EXPECT_EQ(d.Patterns(), (TPatterns{L"bin", L"obj"}));
            // The middle of the first row, inside the frame's margin of 2.
            Click(d.ListBox1, 20, 2 + 8);
            Key(d.ListBox1, VK_DELETE);
        },
        [](TExclusionsDialog& d) {
            EXPECT_EQ(d.Patterns(), TPatterns{L"obj"});
            EXPECT_EQ(Listed(d), TPatterns{L"obj"});
            Click(d.OKButton);
        },
    });
    EXPECT_EQ(form->ExcludePatterns, TPatterns{L"obj"});
}

TEST_F(ExclusionsConfigTest, EscapeAndCancelLeaveTheListEnterInAnEmptyBoxIsOk)
{
    form->ExcludePatterns = {L"bin"};
    std::vector<std::wstring> focusOrder;
    OpenDialog({
        [&](TExclusionsDialog& d) {
            for (int i = 0; i < 6; ++i) {
                Key(TWinControl::FindControl(GetFocus()), VK_TAB);
                Application->ProcessMessages();
                focusOrder.push_back(d.ActiveControl()->Name());
            }
            Type(d.Edit1, L"x");
            Key(d.Edit1, VK_RETURN);
        },
        [](TExclusionsDialog& d) {
            EXPECT_EQ(d.Patterns(), (TPatterns{L"bin", L"x"}));
            Key(d.Edit1, VK_ESCAPE);
        },
    });
    EXPECT_EQ(focusOrder, (std::vector<std::wstring>{L"AddButton", L"ListBox1", L"DeleteButton", L"OKButton",
                                                     L"CancelButton", L"Edit1"}));
    EXPECT_EQ(form->ExcludePatterns, TPatterns{L"bin"});

    OpenDialog({
        [](TExclusionsDialog& d) {
            Type(d.Edit1, L"y");
            Key(d.Edit1, VK_RETURN);
            Click(d.CancelButton);
        },
    });
    EXPECT_EQ(form->ExcludePatterns, TPatterns{L"bin"});

    OpenDialog({
        [](TExclusionsDialog& d) {
            Type(d.Edit1, L"z");
            Key(d.Edit1, VK_RETURN);
            Key(d.Edit1, VK_RETURN);
        },
    });
    EXPECT_EQ(form->ExcludePatterns, (TPatterns{L"bin", L"z"}));
}

} // namespace

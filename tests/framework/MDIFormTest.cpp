#include "WindowTesting.h"

#include "framework/StdCtrls.h"

namespace {

// A multiple-document parent with a panel aligned to its top, and children made on demand.
class MDIForms : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Form->SetFormStyle(fsMDIForm);
        Top = new TWinControl(Form);
        Top->SetBounds(0, 0, 100, 24);
        Top->SetAlign(alTop);
        Top->SetParent(Form);
        ShowForm();
    }

    TForm* AddChild(const std::wstring& caption, int left)
    {
        auto* child = new TForm(Form);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(left, 10, 160, 120);
        child->Show();
        Application->ProcessMessages();
        return child;
    }

    TWinControl* Top = nullptr;
};

TEST_F(MDIForms, TheClientWindowFillsWhatTheAlignedControlsLeaveAndHoldsTheChildren)
{
    HWND client = Form->MDIClient()->Handle();
    EXPECT_EQ(GetParent(client), Form->Handle());
    EXPECT_EQ(ChildRect(client), TRect(0, 24, 360, 240));
    TForm* first = AddChild(L"一", 10);
    TForm* second = AddChild(L"二", 40);
    EXPECT_EQ(GetParent(first->Handle()), client);
    EXPECT_EQ(ChildRect(first->Handle()), TRect::FromSize(10, 10, 160, 120));
    EXPECT_EQ(Form->MDIChildCount(), 2);
    // The child shown last is the active one and on top.
    EXPECT_EQ(Form->ActiveMDIChild(), second);
    EXPECT_EQ(Form->MDIChildren(0), second);
    first->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(Form->ActiveMDIChild(), first);

    // A freed child leaves the client window's list, and the other becomes the active one.
    delete first;
    Application->ProcessMessages();
    EXPECT_EQ(Form->MDIChildCount(), 1);
    EXPECT_EQ(Form->ActiveMDIChild(), second);

    Form->SetBounds(Form->Left(), Form->Top(), Form->Width() + 40, Form->Height());
    EXPECT_EQ(ChildRect(client), TRect(0, 24, 400, 240));
}

TEST_F(MDIForms, ClosingAChildMinimizesItInsideTheParentUnlessItCannotBe)
{
    TForm* child = AddChild(L"一", 10);
    child->Close();
    EXPECT_TRUE(IsIconic(child->Handle()));
    EXPECT_TRUE(IsWindowVisible(child->Handle()));

    TForm* fixed = AddChild(L"二", 40);
    fixed->SetBorderIcons({biSystemMenu});
    bool asked = false;
    fixed->OnClose = [&](TCloseAction& action) {
        asked = true;
        EXPECT_EQ(action, caNone);
    };
    fixed->Close();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(IsIconic(fixed->Handle()));
    EXPECT_TRUE(IsWindowVisible(fixed->Handle()));
}

TEST_F(MDIForms, AShortcutPressedInAChildIsOfferedToTheChildThenToItsParent)
{
    TForm* child = AddChild(L"一", 10);
    auto* edit = new TEdit(child);
    edit->SetParent(child);
    edit->SetBounds(4, 4, 100, 21);
    Application->ProcessMessages();
    edit->SetFocus();
    std::vector<std::wstring> asked;
    child->OnShortCut = [&](WPARAM key, LPARAM) {
        asked.push_back(L"child");
        return key == VK_F2;
    };
    Form->OnShortCut = [&](WPARAM key, LPARAM) {
        asked.push_back(L"parent");
        return key == VK_F3;
    };
    PressKey(VK_F2);
    PressKey(VK_F3);
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"child", L"child", L"parent"}));
    EXPECT_TRUE(Reports.empty());
}

TEST_F(MDIForms, CtrlF6MovesToTheNextChildAndCtrlF4ClosesTheActiveOne)
{
    TForm* first = AddChild(L"一", 10);
    TForm* second = AddChild(L"二", 40);
    ASSERT_EQ(Form->ActiveMDIChild(), second);
    const auto ctrlKey = [](WPARAM key) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        Application->ProcessMessages();
        state[VK_CONTROL] = 0;
        SetKeyboardState(state);
    };
    ctrlKey(VK_F6);
    EXPECT_EQ(Form->ActiveMDIChild(), first);
    ctrlKey(VK_F4);
    EXPECT_TRUE(IsIconic(first->Handle()));
}

TEST_F(MDIForms, AChildNeedsAParent)
{
    auto* orphan = new TForm(nullptr);
    orphan->SetFormStyle(fsMDIChild);
    try {
        orphan->HandleNeeded();
        ADD_FAILURE() << "made without a parent";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), L"Cannot create form. No MDI forms are currently active");
    }
    delete orphan;
}

} // namespace

#include "SkinnedControlTesting.h"

#include "skinctl/KsSkinCheckBoxs.h"
#include "skinctl/KsSkinGroupBoxs.h"

namespace {

using RadioButton = SkinnedControlTest;

void Click(TWinControl* control, int x, int y)
{
    SendMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

} // namespace

TEST_F(RadioButton, SelectingOneClearsTheOthersOfItsParentAndGroupAndOnlyItFiresItsClick)
{
    auto* r1 = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 10, 100, 17), L"r1");
    auto* r2 = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 30, 100, 17), L"r2");
    auto* other = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 50, 100, 17), L"other group");
    other->SetGroupIndex(1);
    auto* box = Make<TSeSkinGroupBox>(Form, TRect::FromSize(150, 10, 150, 100));
    auto* boxed = Make<TSeSkinRadioButton>(box, TRect::FromSize(10, 20, 100, 17), L"boxed");
    int clicks1 = 0, clicks2 = 0;
    r1->OnClick = [&] { ++clicks1; };
    r2->OnClick = [&] { ++clicks2; };
    other->SetChecked(true);
    boxed->SetChecked(true);
    r1->SetChecked(true);
    EXPECT_EQ(clicks1, 1);

    r2->SetChecked(true);
    EXPECT_EQ(clicks2, 1);
    EXPECT_EQ(clicks1, 1);
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(boxed->Checked());
    // Only the selected button of a group is reached by Tab.
    EXPECT_TRUE(r2->TabStop());
    EXPECT_FALSE(r1->TabStop());

    r2->SetChecked(false);
    EXPECT_FALSE(r1->Checked());
    EXPECT_FALSE(r2->Checked());
    EXPECT_FALSE(r2->TabStop());

    // A button read with its form fires nothing and clears no sibling read later.
    auto* read = new TSeSkinRadioButton(Form);
    read->BeginLoading();
    read->SetParent(Form);
    read->OnClick = [&] { ++clicks1; };
    read->SetChecked(true);
    read->EndLoading();
    EXPECT_EQ(clicks1, 1);
}

TEST_F(RadioButton, AReleaseOnTheRightOrBottomEdgeStillSelectsAndTheArrowsMoveAndSelect)
{
    auto* r1 = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 10, 100, 17), L"r1");
    auto* r2 = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 30, 100, 17), L"r2");
    r1->SetChecked(true);
    ShowForm();
    ASSERT_EQ(GetFocus(), r1->Handle());
    PressKey(VK_DOWN);
    EXPECT_EQ(GetFocus(), r2->Handle());
    EXPECT_TRUE(r2->Checked());
    PressKey(VK_UP);
    EXPECT_EQ(GetFocus(), r1->Handle());
    EXPECT_TRUE(r1->Checked());

    // r2 focused but not selected: only the click's release selects it.
    r2->SetFocus();
    r1->SetChecked(true);
    Click(r2, 101, 5);
    EXPECT_FALSE(r2->Checked());
    Click(r2, 100, 17);
    EXPECT_TRUE(r2->Checked());
    r1->SetChecked(true);
    Click(r2, 50, 18);
    EXPECT_FALSE(r2->Checked());
}

TEST_F(RadioButton, TheMarkIsTheSkinsCheckedOrUncheckedPartWithHotBeforeFocusedAndDisabledAboveAll)
{
    FocusTaker();
    auto* radio = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 10, 120, 17), L"選擇");
    ShowForm();
    const TRect mark{0, 2, 13, 15};
    auto differences = [&](const wchar_t* part, int state) {
        Repaint(radio);
        return Differences(Buffer(radio), *DrawPart(L"RadioButton", part, state, mark, 120, 17, Form->Color()), mark);
    };
    EXPECT_EQ(differences(L"Unchecked", ssNormal), 0);
    radio->SetFocus();
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(differences(L"Checked", ssFocused), 0);
    SendMessageW(radio->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(differences(L"Checked", ssHot), 0);
    radio->SetEnabled(false);
    EXPECT_EQ(differences(L"Checked", ssDisabled), 0);
    radio->SetChecked(false);
    EXPECT_EQ(differences(L"Unchecked", ssDisabled), 0);
    EXPECT_GT(differences(L"Unchecked", ssNormal), 0);
}

TEST_F(RadioButton, SpaceWithAltPressesNothingAndLosingTheMouseMidPressSelectsNothing)
{
    auto* r1 = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 10, 100, 17), L"r1");
    auto* r2 = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 30, 100, 17), L"r2");
    ShowForm();
    r2->SetFocus();
    r1->SetChecked(true);
    HWND window = r2->Handle();

    // Alt with Space is the window menu's key.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    EXPECT_FALSE(r2->Pressed());
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_FALSE(r2->Checked());

    // Another window takes the mouse before the release, as one brought to the front does.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(r2->Pressed());
    SetCapture(r1->Handle());
    EXPECT_FALSE(r2->Pressed());
    ReleaseCapture();
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(r2->Checked());

    // Space alone presses and selects on release.
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(r2->Pressed());
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_TRUE(r2->Checked());
}

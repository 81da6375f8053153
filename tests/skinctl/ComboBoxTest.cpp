#include "RepeatTesting.h"
#include "SkinnedControlTesting.h"

#include "skinctl/KsSkinComboBoxs.h"
#include "skinctl/KsSkinListBoxs.h"

#include <string>
#include <vector>

namespace {

// A combo box that shows where its button lies.
template <typename TBase> class TProbeCombo : public TBase {
public:
    using TBase::ButtonRect;
    using TBase::TBase;
};

// A plain combo box as the main window has it: 35 x 21, items "1" to "8", text "1", rows 13 high.
class ComboBox : public SkinnedControlTest {
protected:
    void SetUp() override
    {
        SkinnedControlTest::SetUp();
        Combo = Make<TProbeCombo<TKsCustomComboBox>>(Form, TRect::FromSize(10, 10, 35, 21));
        Combo->SetItemHeight(13);
        for (int depth = 1; depth <= 8; ++depth) Combo->Items().Add(std::to_wstring(depth));
        Combo->SetText(L"1");
        Combo->OnChange = [this] { ++Changes; };
        Combo->OnCloseUp = [this] { ++CloseUps; };
        ShowForm();
        Combo->SetFocus();
        Application->ProcessMessages();
        Changes = 0;
    }

    static void Mouse(TWinControl* control, UINT message, int x, int y, WPARAM flags = MK_LBUTTON)
    {
        SendMessageW(control->Handle(), message, flags, MAKELPARAM(x, y));
    }
    static void Click(TWinControl* control, int x, int y)
    {
        Mouse(control, WM_LBUTTONDOWN, x, y);
        Mouse(control, WM_LBUTTONUP, x, y, 0);
        Application->ProcessMessages();
    }
    void ClickButton()
    {
        TRect button = Combo->ButtonRect();
        Click(Combo, (button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2);
    }
    static TRect WindowRect(HWND window)
    {
        RECT r;
        GetWindowRect(window, &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    // Characters typed into the box.
    void Type(const std::wstring& text)
    {
        for (wchar_t unit : text) PostMessageW(Combo->Handle(), WM_CHAR, unit, 1);
        Application->ProcessMessages();
    }
    // Other items, and no text.
    void EmptyBoxOf(std::initializer_list<const wchar_t*> items)
    {
        Combo->Items().Clear();
        for (const wchar_t* item : items) Combo->Items().Add(item);
        Combo->SetText(L"");
    }
    // The middle of row index in the open list (inside its 2-pixel border).
    static int RowY(int index) { return 2 + index * 13 + 6; }

    TProbeCombo<TKsCustomComboBox>* Combo = nullptr;
    int Changes = 0;
    int CloseUps = 0;
};

} // namespace

TEST_F(ComboBox, TheButtonOpensEveryRowBelowTheBoxAndAClickOnAnItemChoosesIt)
{
    ClickButton();
    ASSERT_TRUE(Combo->DroppedDown());
    EXPECT_TRUE(Combo->ButtonPressed());
    TKsCustomListBox* list = Combo->ListBox();
    EXPECT_EQ(list->Parent(), Combo->DropDownWindow());
    TPoint origin = Combo->ClientToScreen({0, 0});
    // Eight rows of 13 pixels inside the list's border, all shown without a scroll bar.
    EXPECT_EQ(WindowRect(Combo->DropDownWindow()->Handle()), TRect::FromSize(origin.X, origin.Y + 21, 35, 8 * 13 + 4));
    EXPECT_FALSE(list->ScrollBar()->Visible());
    int first = -1;
    int last = -1;
    list->VisibleRange(first, last);
    EXPECT_EQ(last - first + 1, 8);
    // The text "1" is the first item: the list opens on it.
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_TRUE(list->Selected(0));

    // The highlight follows the pointer; a click takes the item and closes the list.
    Mouse(list, WM_MOUSEMOVE, 10, RowY(4), 0);
    EXPECT_TRUE(list->Selected(4));
    Click(list, 10, RowY(4));
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_FALSE(Combo->ButtonPressed());
    EXPECT_EQ(Combo->ItemIndex(), 4);
    EXPECT_EQ(Combo->Text(), L"5");
    EXPECT_EQ(WindowText(Combo->Handle()), L"5");
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(CloseUps, 1);
    EXPECT_EQ(list->Parent(), nullptr);
    EXPECT_EQ(GetFocus(), Combo->Handle());
}

TEST_F(ComboBox, EscapeClosesWithoutAChoiceAndEnterTakesTheHighlightedItem)
{
    PressKey(VK_F4);
    ASSERT_TRUE(Combo->DroppedDown());
    EXPECT_EQ(GetFocus(), Combo->ListBox()->Handle());
    PressKey(VK_DOWN);
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), -1);
    EXPECT_EQ(Combo->Text(), L"1");
    EXPECT_EQ(Changes, 0);

    PressKey(VK_F4);
    ASSERT_TRUE(Combo->DroppedDown());
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_EQ(Combo->Text(), L"3");
    EXPECT_EQ(CloseUps, 2);

    // Alt+F4 on the open list closes its window; the list comes back all the same.
    PressKey(VK_F4);
    ASSERT_TRUE(Combo->DroppedDown());
    SendMessageW(Combo->DropDownWindow()->Handle(), WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ListBox()->Parent(), nullptr);
    EXPECT_EQ(GetFocus(), Combo->Handle());
    EXPECT_EQ(Combo->ItemIndex(), 2);
}

TEST_F(ComboBox, AltF4ClosesTheWindowThatHoldsTheBoxAndNeverOpensTheList)
{
    int closeRequests = 0;
    Form->OnCloseQuery = [&] {
        ++closeRequests;
        return false;
    };
    const auto altF4 = [] {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_MENU] = 0x80;
        SetKeyboardState(state);
        const LPARAM altDown = 1 << 29;
        PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, altDown | 1);
        Application->ProcessMessages();
        state[VK_MENU] = 0;
        SetKeyboardState(state);
    };
    altF4();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(closeRequests, 1);

    PressKey(VK_F4);
    ASSERT_TRUE(Combo->DroppedDown());
    altF4();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), -1);
    EXPECT_EQ(closeRequests, 2);
}

TEST_F(ComboBox, ActivatingAnotherWindowClosesTheListAndTheButtonTogglesIt)
{
    ClickButton();
    ASSERT_TRUE(Combo->DroppedDown());
    SetForegroundWindow(Form->Handle());
    SetActiveWindow(Form->Handle());
    Application->ProcessMessages();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), -1);

    // A press on the button of an open list closes it (the press takes the activation first).
    ClickButton();
    ASSERT_TRUE(Combo->DroppedDown());
    SetActiveWindow(Form->Handle());
    TRect button = Combo->ButtonRect();
    Mouse(Combo, WM_LBUTTONDOWN, button.Left + 2, button.Top + 2);
    Mouse(Combo, WM_LBUTTONUP, button.Left + 2, button.Top + 2, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(Combo->DroppedDown());
}

TEST_F(ComboBox, NearTheBottomOfTheDisplayTheListOpensAboveTheBox)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(Form->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    TPoint origin = Combo->ClientToScreen({0, 0});
    int formTop = Form->Top() + (monitor.rcMonitor.bottom - 40 - origin.Y);
    Form->SetBounds(Form->Left(), formTop, Form->Width(), Form->Height());
    Application->ProcessMessages();
    origin = Combo->ClientToScreen({0, 0});
    ClickButton();
    ASSERT_TRUE(Combo->DroppedDown());
    EXPECT_EQ(WindowRect(Combo->DropDownWindow()->Handle()), TRect::FromSize(origin.X, origin.Y - 108, 35, 108));
}

TEST_F(ComboBox, TypedTextIsCompletedAfterTheDelayAndBackspaceKeepsWhatWasTyped)
{
    EmptyBoxOf({L"kiwi", L"Mango", L"melon"});
    Type(L"m");
    // Nothing happens before the timer's tick.
    EXPECT_EQ(Combo->Text(), L"m");
    ASSERT_TRUE(TickNow(Combo->CompletionTimer()));
    EXPECT_EQ(Combo->Text(), L"Mango");
    EXPECT_EQ(Combo->SelStart(), 1);
    EXPECT_EQ(Combo->SelLength(), 4);
    EXPECT_FALSE(Combo->CompletionTimer()->Enabled());

    // Backspace deletes the completed rest; the first letter is the item's.
    PressKey(VK_BACK);
    EXPECT_EQ(Combo->Text(), L"M");
    TickNow(Combo->CompletionTimer());
    EXPECT_EQ(Combo->Text(), L"M");
    // Typing over the completed rest completes again.
    Combo->SelectAll();
    Type(L"me");
    ASSERT_TRUE(TickNow(Combo->CompletionTimer()));
    EXPECT_EQ(Combo->Text(), L"melon");
    EXPECT_EQ(Combo->SelStart(), 2);
}

TEST_F(ComboBox, ArrowsStepTheIndexInBothStylesAndPagesOnlyInTheListOnlyStyle)
{
    // Up with no index takes the first item into the text.
    PressKey(VK_UP);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Combo->Text(), L"1");
    PressKey(VK_DOWN);
    EXPECT_EQ(Combo->Text(), L"2");
    // In the editable style End and Page Down are the text's own keys.
    PressKey(VK_NEXT);
    PressKey(VK_END);
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Combo->CaretPos(), 1);

    Combo->SetComboStyle(kcsDropDownList);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_TRUE(Combo->ReadOnly());
    Changes = 0;
    PressKey(VK_NEXT);
    EXPECT_EQ(Combo->ItemIndex(), 3);
    EXPECT_EQ(Combo->Text(), L"4");
    EXPECT_EQ(WindowText(Combo->Handle()), L"4");
    PressKey(VK_END);
    EXPECT_EQ(Combo->ItemIndex(), 7);
    PressKey(VK_NEXT);
    EXPECT_EQ(Combo->ItemIndex(), 7);
    EXPECT_EQ(Changes, 3);
    // A click on the text drops the list down.
    Click(Combo, 5, 8);
    EXPECT_TRUE(Combo->DroppedDown());
    PressKey(VK_ESCAPE);
    Combo->SetComboStyle(kcsDropDown);
    EXPECT_FALSE(Combo->ReadOnly());
}

TEST_F(ComboBox, TheListOnlyStyleShowsTheChosenItemAndNoTextOfItsOwn)
{
    Combo->SetBounds(10, 10, 80, 21);
    Combo->SetComboStyle(kcsDropDownList);
    Combo->SetItemIndex(2);
    auto pixels = [&] {
        Repaint(Combo);
        std::vector<uint32_t> all;
        for (int y = 0; y < Buffer(Combo).Height(); ++y)
            for (int x = 0; x < Buffer(Combo).Width(); ++x) all.push_back(Buffer(Combo).Pixel(x, y));
        return all;
    };
    const std::vector<uint32_t> shown = pixels();
    // Text given to the box itself (and selected, as focusing selects it) stays out of sight.
    Combo->SetText(L"WWWWWW");
    Combo->SelectAll();
    EXPECT_TRUE(pixels() == shown);
    EXPECT_EQ(Combo->Text(), L"3");
}

TEST_F(ComboBox, TheIndexStaysInsideTheItemsWhenTheyGoAndZeroHighRowsDoNotDivide)
{
    Combo->SetItemIndex(7);
    for (int i = 0; i < 4; ++i) Combo->Items().Delete(Combo->Items().Count() - 1);
    EXPECT_EQ(Combo->ItemIndex(), 3);
    Combo->SetItemIndex(100);
    EXPECT_EQ(Combo->ItemIndex(), 3);
    Combo->SetItemIndex(-5);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    Combo->Items().Clear();
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Combo->SetComboStyle(kcsDropDownList);
    EXPECT_EQ(Combo->Text(), L"");

    Combo->Items().Add(L"only");
    Combo->SetItemHeight(0);
    ClickButton();
    ASSERT_TRUE(Combo->DroppedDown());
    // Rows of no height still leave the one item a row inside the list's border.
    TKsCustomListBox* list = Combo->ListBox();
    EXPECT_GT(Combo->DropDownWindow()->Height(), list->Height() - list->ItemArea().Height());
    int first = -1;
    int last = -1;
    list->VisibleRange(first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 0);
    PressKey(VK_ESCAPE);
}

TEST_F(ComboBox, TheClosedBoxMovesOneItemANotchAndTheOpenListScrollsByTheLinesSetting)
{
    UINT saved = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    auto wheel = [](TWinControl* control, int delta) {
        TPoint at = control->ClientToScreen({5, 5});
        SendMessageW(control->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.X, at.Y));
    };
    // The box shows "1" without an index: the first notch goes on from that item.
    ASSERT_EQ(Combo->ItemIndex(), -1);
    std::wstring seen = Combo->Text();
    for (int notch = 0; notch < 3; ++notch) {
        wheel(Combo, -120);
        seen += L" " + Combo->Text();
    }
    EXPECT_EQ(seen, L"1 2 3 4");
    // The small turns of a fine wheel add up to a notch.
    wheel(Combo, -40);
    wheel(Combo, -40);
    EXPECT_EQ(Combo->Text(), L"4");
    wheel(Combo, -40);
    EXPECT_EQ(Combo->Text(), L"5");
    wheel(Combo, 240);
    EXPECT_EQ(Combo->Text(), L"3");
    wheel(Combo, 600);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Combo->Text(), L"1");

    for (int depth = 9; depth <= 20; ++depth) Combo->Items().Add(std::to_wstring(depth));
    ClickButton();
    ASSERT_TRUE(Combo->DroppedDown());
    wheel(Combo->ListBox(), -120);
    EXPECT_EQ(Combo->ListBox()->TopIndex(), 3);
    PressKey(VK_ESCAPE);
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
}

TEST_F(ComboBox, TextTheBoxPutsInItselfIsNeverCompleted)
{
    EmptyBoxOf({L"Mangosteen", L"Mango", L"melon"});
    // "M" typed, then "Mango" chosen from the list before the delay is over.
    Type(L"M");
    ASSERT_TRUE(Combo->CompletionTimer()->Enabled());
    ClickButton();
    ASSERT_TRUE(Combo->DroppedDown());
    Click(Combo->ListBox(), 10, RowY(1));
    ASSERT_FALSE(Combo->DroppedDown());
    const auto unchanged = [&](const wchar_t* text, int index) {
        EXPECT_FALSE(Combo->CompletionTimer()->Enabled()) << text;
        TickNow(Combo->CompletionTimer());
        EXPECT_EQ(Combo->Text(), text);
        EXPECT_EQ(Combo->ItemIndex(), index);
    };
    unchanged(L"Mango", 1);
    Combo->SelectAll();
    PressKey(VK_DOWN);
    unchanged(L"melon", 2);
    const TPoint at = Combo->ClientToScreen({5, 5});
    SendMessageW(Combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(at.X, at.Y));
    unchanged(L"Mango", 1);
    // Deleting from the chosen text completes nothing; typing after it does.
    Combo->SetSelStart(5);
    PressKey(VK_BACK);
    TickNow(Combo->CompletionTimer());
    EXPECT_EQ(Combo->Text(), L"Mang");
    Type(L"os");
    ASSERT_TRUE(TickNow(Combo->CompletionTimer()));
    EXPECT_EQ(Combo->Text(), L"Mangosteen");
    EXPECT_EQ(Combo->SelStart(), 6);
}

TEST_F(ComboBox, TheSkinnedBoxDrawsItsFrameAndButtonThroughTheSkin)
{
    auto* skinned = Make<TProbeCombo<TSeSkinComboBox>>(Form, TRect::FromSize(60, 10, 60, 21));
    skinned->Items().Add(L"1");
    skinned->SetText(L"1");
    Application->ProcessMessages();
    Repaint(skinned);
    TRect button = skinned->ButtonRect();
    const TSeSkinObject* skinButton = Engine->Source()->ObjectByName(L"ComboBox")->FindObjectByName(L"Button");
    ASSERT_NE(skinButton, nullptr);
    EXPECT_EQ(button.Width(), skinButton->Width());
    EXPECT_EQ(button.Right, 60 - 2);
    auto expected = DrawParts(L"ComboBox", {{L"Frame", ssNormal, {0, 0, 60, 21}}, {L"Button", ssNormal, button}}, 60,
                              21, clBtnFace);
    TPoint middle{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
    EXPECT_EQ(Buffer(skinned).Pixel(middle.X, middle.Y), expected->Pixel(middle.X, middle.Y));
    EXPECT_EQ(Buffer(skinned).Pixel(1, 1), expected->Pixel(1, 1));

    // Its list is the skinned one, bound to the same engine.
    skinned->SetFocus();
    PressKey(VK_F4);
    ASSERT_TRUE(skinned->DroppedDown());
    auto* list = dynamic_cast<TSeSkinListBox*>(skinned->ListBox());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->SkinEngine(), Engine);
    PressKey(VK_ESCAPE);
}

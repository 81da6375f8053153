#include "SkinnedControlTesting.h"

#include "skinctl/KsSkinButtons.h"
#include "skinctl/KsSkinCheckBoxs.h"
#include "skinctl/KsSkinComboBoxs.h"
#include "skinctl/KsSkinEdits.h"

#include <chrono>
#include <functional>

namespace {

// Skinned boxes and buttons on the form, worked with the real pointer: the window system delivers
// the moves and the enter and leave notices as it does for a person's mouse. What each control
// shows is read from its buffer as its last paint left it, never re-rendered by the test.
class PointerLook : public SkinnedControlTest {
protected:
    void SetUp() override
    {
        SkinnedControlTest::SetUp();
        First = Make<TSeSkinEdit>(Form, TRect::FromSize(10, 10, 121, 21));
        Second = Make<TSeSkinEdit>(Form, TRect::FromSize(10, 40, 121, 21));
        Combo = Make<TSeSkinComboBox>(Form, TRect::FromSize(10, 70, 60, 21));
        Button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 100, 75, 25), L"Go");
        Radio = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 135, 120, 17), L"選擇");
        ShowForm();
        First->SetFocus();
        PointAt(Form, 300, 220);
    }

    void TearDown() override
    {
        // Out of the way of the tests that follow.
        SetCursorPos(0, 0);
        SkinnedControlTest::TearDown();
    }

    // Moves the pointer over a point of control and lets the messages come.
    static void PointAt(TWinControl* control, int x, int y)
    {
        const TPoint screen = control->ClientToScreen({x, y});
        SetCursorPos(screen.X, screen.Y);
        Pump(std::chrono::milliseconds(50));
    }

    static void Pump(std::chrono::milliseconds time)
    {
        const auto end = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < end) {
            Application->ProcessMessages();
            Sleep(5);
        }
    }

    // Waits up to two seconds for the control's last paint to show, within area, the part drawn in
    // state on bounds; the leave notice comes from the window system's own tracking, a little after
    // the move.
    bool Shows(TKsCustomControl* control, const wchar_t* object, const wchar_t* part, int state, const TRect& bounds,
               const TRect& area)
    {
        const TColor background = control->Transparent() ? Form->Color() : control->Color();
        auto expected = DrawPart(object, part, state, bounds, control->Width(), control->Height(), background);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (Differences(Buffer(control), *expected, area) != 0) {
            if (std::chrono::steady_clock::now() > end) return false;
            Application->ProcessMessages();
            Sleep(5);
        }
        return true;
    }

    bool EditShows(TSeSkinEdit* edit, int state)
    {
        const TRect whole{0, 0, edit->Width(), edit->Height()};
        return Shows(edit, L"Edit", L"Frame", state, whole, whole);
    }
    // The frame left of the drop-down button.
    bool ComboShows(int state) { return Shows(Combo, L"ComboBox", L"Frame", state, {0, 0, 60, 21}, {0, 0, 20, 21}); }
    // The face left of the caption.
    bool ButtonShows(int state) { return Shows(Button, L"Button", L"Face", state, {0, 0, 75, 25}, {0, 0, 12, 25}); }
    bool RadioShows(int state)
    {
        const TRect mark{0, 2, 13, 15};
        return Shows(Radio, L"RadioButton", L"Unchecked", state, mark, mark);
    }

    // Hot while the pointer is over the control at point, normal once it went away.
    bool FollowsThePointer(TWinControl* control, TPoint point, const std::function<bool(int)>& shows)
    {
        PointAt(control, point.X, point.Y);
        const bool hot = shows(ssHot);
        PointAt(Form, 300, 220);
        return hot && shows(ssNormal);
    }

    TSeSkinEdit* First = nullptr;
    TSeSkinEdit* Second = nullptr;
    TSeSkinComboBox* Combo = nullptr;
    TSeSkinButton* Button = nullptr;
    TSeSkinRadioButton* Radio = nullptr;
};

} // namespace

TEST_F(PointerLook, TheBoxTypingGoesToKeepsItsFocusLookAndTheOthersShowThePointerWhileItIsOverThem)
{
    ASSERT_TRUE(EditShows(First, ssFocused));

    // A click into the focused box, then the pointer goes away: the focus look stays throughout.
    PointAt(First, 30, 10);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    Pump(std::chrono::milliseconds(50));
    EXPECT_EQ(GetFocus(), First->Handle());
    EXPECT_TRUE(EditShows(First, ssFocused));
    PointAt(Form, 300, 220);
    EXPECT_TRUE(EditShows(First, ssFocused));

    PointAt(Second, 30, 10);
    EXPECT_TRUE(EditShows(Second, ssHot));
    EXPECT_TRUE(EditShows(First, ssFocused));
    PointAt(Form, 300, 220);
    EXPECT_TRUE(EditShows(Second, ssNormal));

    EXPECT_TRUE(FollowsThePointer(Combo, {10, 10}, [&](int state) { return ComboShows(state); }));
    EXPECT_TRUE(FollowsThePointer(Button, {30, 12}, [&](int state) { return ButtonShows(state); }));
    EXPECT_TRUE(FollowsThePointer(Radio, {5, 8}, [&](int state) { return RadioShows(state); }));

    // Tab moves the focus look to the next box, whose frame shows it also under the pointer.
    PointAt(Second, 30, 10);
    PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), Second->Handle());
    EXPECT_TRUE(EditShows(Second, ssFocused));
    EXPECT_TRUE(EditShows(First, ssNormal));
}

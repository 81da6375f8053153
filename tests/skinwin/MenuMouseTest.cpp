#include "tests/skinwin/MenuTesting.h"

#include "framework/Controls.h"
#include "tests/support/RealInput.h"

namespace {

// A control that records the left button presses that reach it.
class TClickTarget : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Presses = 0;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
    {
        TCustomControl::MouseDown(button, shift, x, y);
        if (button == mbLeft) ++Presses;
    }
};

class MenuMouse : public MenuWindow {
protected:
    void SetUp() override
    {
        MenuWindow::SetUp();
        Target = new TClickTarget(Form);
        Target->SetParent(Form);
        Target->SetBounds(200, 150, 100, 60);
    }

    // The bar's item under the screen point, as the bar's own window sees the mouse.
    void MoveOverBar(TKsCustomItem* item)
    {
        TPoint client = Bar->ScreenToClient(ItemCentre(Bar->View(), item));
        PostMessageW(Bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(client.X, client.Y));
    }

    TClickTarget* Target = nullptr;
};

TEST_F(MenuMouse, ClickingABarItemOpensItsPopupAndHoveringTheOtherSwitchesWithoutAClick)
{
    TMenuScript script;
    script
        .When(
            "the file menu", [&] { return FirstPopup() != nullptr; }, [&] { MoveOverBar(About); })
        .When(
            "the about menu", [&] { return FirstPopup() && FirstPopup()->Item() == About; },
            [&] {
                EXPECT_EQ(Bar->View()->Selected(), About);
                MoveOverBar(File);
            })
        .When(
            "the file menu again", [&] { return FirstPopup() && FirstPopup()->Item() == File; },
            [&] {
                PostKey(VK_ESCAPE);
                PostKey(VK_ESCAPE);
            });
    TPoint file = Bar->ScreenToClient(ItemCentre(Bar->View(), File));
    PostMessageW(Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(file.X, file.Y));
    PostMessageW(Bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(file.X, file.Y));
    Application->ProcessMessages();
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(Bar->View()->Tracking());
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(MenuMouse, AClickOutsideClosesEveryMenuAndReachesTheWindowUnderThePointer)
{
    TPoint target = Target->ClientToScreen({50, 30});
    TMenuScript script;
    script.When(
        "the file menu", [&] { return FirstPopup() != nullptr; },
        [&] {
            HoldAlt(false);
            SendMouse(target, MOUSEEVENTF_LEFTDOWN);
            SendMouse(target, MOUSEEVENTF_LEFTUP);
        });
    HoldAlt(true);
    PostAltF();
    Application->ProcessMessages();
    // The click goes on to the window under the pointer once the menus are gone.
    for (int i = 0; i < 50 && Target->Presses == 0; ++i) {
        Sleep(10);
        Application->ProcessMessages();
    }
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(FindWindowW(L"Folvane.PopupMenu", nullptr), nullptr);
    EXPECT_FALSE(Bar->View()->Tracking());
    EXPECT_EQ(Target->Presses, 1);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(MenuMouse, ClickingAPopupItemClosesTheMenusAndThenRunsItsClick)
{
    TMenuScript script;
    script
        .When(
            "the file menu", [&] { return FirstPopup() != nullptr; },
            [&] {
                TKsItemView* popup = FirstPopup();
                TPoint save = ItemCentre(popup, Save);
                SendMouse(save, 0);
            })
        .When(
            "the save item under the pointer", [&] { return FirstPopup() && FirstPopup()->Selected() == Save; },
            [&] {
                TPoint save = ItemCentre(FirstPopup(), Save);
                SendMouse(save, MOUSEEVENTF_LEFTDOWN);
                SendMouse(save, MOUSEEVENTF_LEFTUP);
            });
    TPoint file = ItemCentre(Bar->View(), File);
    SendMouse(file, MOUSEEVENTF_LEFTDOWN);
    SendMouse(file, MOUSEEVENTF_LEFTUP);
    for (int i = 0; i < 100 && Clicks.empty(); ++i) {
        Sleep(10);
        Application->ProcessMessages();
    }
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(Clicks, std::vector<std::wstring>{L"儲存設定檔(*.CFG)(&S)"});
    EXPECT_FALSE(Bar->View()->Tracking());
}

} // namespace

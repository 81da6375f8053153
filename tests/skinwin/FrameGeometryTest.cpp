#include "framework/Screen.h"
#include "tests/skinwin/FrameFixture.h"

namespace {

// The embedded skin's form: a 30-pixel caption, 5-pixel borders left, right and below, corner
// pieces 6 pixels wide in the bottom border.
constexpr int kCaption = 30;
constexpr int kBorder = 5;

void MainWindowIcons(TSeSkinForm& frame)
{
    frame.SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize});
    frame.SetCanResize(false);
}

} // namespace

TEST_F(FrameTest, TheSkinsFrameSurroundsAClientAreaThatKeepsItsSize)
{
    Build();
    RECT client;
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(ClientOffset(), (TPoint{kBorder, kCaption}));
    EXPECT_EQ(WindowRect().Width(), 300 + 2 * kBorder);
    EXPECT_EQ(WindowRect().Height(), 200 + kCaption + kBorder);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(FrameTest, HitTestAnswersByTheSkinPartUnderThePoint)
{
    Build(WithSetup(MainWindowIcons));
    const int width = WindowRect().Width();
    const int height = WindowRect().Height();
    EXPECT_EQ(HitTestAt(100, 10), HTCAPTION);
    EXPECT_EQ(HitTestAt(100, kCaption - 1), HTCAPTION);
    EXPECT_EQ(HitTestAt(100, kCaption), HTCLIENT);
    // The skin's caption buttons are system buttons.
    EXPECT_EQ(HitTestAt(Centre(Frame->CaptionButtonRect(kbiClose)).X, 15), HTMINBUTTON);
    EXPECT_EQ(Frame->HitTest(Centre(Frame->CaptionButtonRect(kbiSystemMenu))), fpSysButton);
    // Without resizing the borders are client area; the caption still moves the window.
    EXPECT_EQ(Frame->HitTest({2, 100}), fpLeft);
    EXPECT_EQ(HitTestAt(2, 100), HTCLIENT);
    EXPECT_EQ(HitTestAt(width - 2, 100), HTCLIENT);

    Frame->SetCanResize(true);
    EXPECT_EQ(HitTestAt(kBorder - 1, 100), HTLEFT);
    EXPECT_EQ(HitTestAt(kBorder, 100), HTCLIENT);
    EXPECT_EQ(HitTestAt(width - kBorder, 100), HTRIGHT);
    EXPECT_EQ(HitTestAt(100, height - 1), HTBOTTOM);
    EXPECT_EQ(HitTestAt(5, height - 1), HTBOTTOMLEFT);
    EXPECT_EQ(HitTestAt(6, height - 1), HTBOTTOM);
    EXPECT_EQ(HitTestAt(width - 6, height - 1), HTBOTTOMRIGHT);

    Frame->SetCanMove(false);
    EXPECT_EQ(HitTestAt(100, 10), HTCLIENT);
}

TEST_F(FrameTest, ThePlainFrameAnswersItsOwnHitTestWithTwentyPixelCorners)
{
    Build(WithoutSkin());
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const int width = WindowRect().Width();
    const int height = WindowRect().Height();
    EXPECT_EQ(ClientOffset(), (TPoint{3, 3 + caption}));
    EXPECT_EQ(HitTestAt(60, 3 + caption / 2), HTCAPTION);
    EXPECT_EQ(HitTestAt(19, 1), HTTOPLEFT);
    EXPECT_EQ(HitTestAt(20, 1), HTTOP);
    EXPECT_EQ(HitTestAt(width - 20, 1), HTTOP);
    EXPECT_EQ(HitTestAt(width - 19, 1), HTTOPRIGHT);
    EXPECT_EQ(HitTestAt(1, 100), HTLEFT);
    EXPECT_EQ(HitTestAt(1, height - 19), HTBOTTOMLEFT);
    EXPECT_EQ(HitTestAt(width - 1, height - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTestAt(Centre(Frame->CaptionButtonRect(kbiClose)).X, 3 + caption / 2), HTCLOSE);
    EXPECT_EQ(HitTestAt(Centre(Frame->CaptionButtonRect(kbiMaximize)).X, 3 + caption / 2), HTMAXBUTTON);
    EXPECT_EQ(Frame->HitTest(Centre(Frame->CaptionButtonRect(kbiSystemMenu))), fpSysMenu);
    EXPECT_EQ(HitTestAt(100, 100), HTCLIENT);
}

TEST_F(FrameTest, MovingByTheCaptionSnapsToTheWorkAreaWithinNineteenPixels)
{
    const TRect area = Screen->WorkAreaRect();
    Build(At(area.Left + 40, area.Top + 300));
    Drag({100, 10}, -21, 0);
    EXPECT_EQ(WindowRect().Left, area.Left);

    Form->SetBounds(area.Left + 40, area.Top + 300, Form->Width(), Form->Height());
    Drag({100, 10}, -20, 0);
    EXPECT_EQ(WindowRect().Left, area.Left + 20);

    // Near the top and bottom at once: the top wins.
    Form->SetBounds(area.Left + 300, area.Top + 40, Form->Width(), area.Height() - 50);
    Drag({100, 10}, 0, -30);
    EXPECT_EQ(WindowRect().Top, area.Top);
}

TEST_F(FrameTest, AWindowNearBothSidesSnapsToTheLeft)
{
    const TRect area = Screen->WorkAreaRect();
    Build(WithSetup([](TSeSkinForm& frame) { frame.SetCanResize(true); }));
    Form->SetBounds(area.Left + 30, area.Top + 300, area.Width() - 15, 300);
    Drag({100, 10}, -20, 0);
    EXPECT_EQ(WindowRect().Left, area.Left);
    EXPECT_EQ(WindowRect().Right, area.Right - 15);
}

TEST_F(FrameTest, DraggingTheLeftEdgePastTheMinimumStopsAtRightMinusTheMinimumWidth)
{
    Build(WithSetup([](TSeSkinForm& frame) { frame.SetCanResize(true); }));
    const int right = WindowRect().Right;
    Drag({2, 100}, 400, 0);
    EXPECT_EQ(WindowRect().Left, right - 150);
    EXPECT_EQ(WindowRect().Right, right);

    // The constraint widens the window at once, to the right.
    Frame->SetConstraints({.MinWidth = 220});
    EXPECT_EQ(WindowRect().Width(), 220);
    const int widenedRight = WindowRect().Right;
    Drag({2, 100}, -100, 0);
    Drag({2, 100}, 400, 0);
    EXPECT_EQ(WindowRect().Left, widenedRight - 220);

    Frame->SetCanResize(false);
    const TRect fixed = WindowRect();
    Drag({2, 100}, -50, 0);
    EXPECT_EQ(WindowRect(), fixed);
}

TEST_F(FrameTest, ASkinWithoutAClientObjectMakesAWindowOfTheSkinsSize)
{
    Build(WithSkinPrepared([](TSeSkinEngine& engine) {
        TSeSkinObject* form = engine.Source()->FormObject();
        delete form->FindObjectByKind(skClient);
    }));
    const TSeSkinObject* form = Engine->Source()->FormObject();
    EXPECT_EQ(WindowRect().Width(), form->Width());
    EXPECT_EQ(WindowRect().Height(), form->Height());
    EXPECT_EQ(Frame->ClientRect(), TRect(0, 0, form->Width(), form->Height()));
}

TEST_F(FrameTest, ASkinWithoutAFormObjectLeavesTheUsablePlainFrame)
{
    Build(WithSkinPrepared([](TSeSkinEngine& engine) {
        // Only a button is left: neither "Form" nor an object of the form's kind.
        TSeSkinSource& source = *engine.Source();
        std::vector<std::unique_ptr<TSeSkinObject>> objects;
        objects.emplace_back(source.ObjectByName(L"Button")->Clone(nullptr));
        source.Clear();
        source.Adopt(std::move(objects), TKsBitmapList());
    }));
    EXPECT_EQ(Frame->SkinCopy(), nullptr);
    EXPECT_FALSE(Frame->SkinUsable());
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(ClientOffset(), (TPoint{3, 3 + caption}));
    EXPECT_EQ(HitTestAt(60, 3 + caption / 2), HTCAPTION);
    Drag({60, 3 + caption / 2}, 30, 20);
    EXPECT_EQ(WindowRect().Left, 230);
    EXPECT_EQ(Form->Color(), clBtnFace);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(FrameTest, AStyleChangeThatMakesTheWindowAgainKeepsTheSkinsFrameAndClientSize)
{
    Build();
    HWND before = Window();
    Form->SetBorderStyle(fbsDialog);
    ASSERT_NE(Window(), before);
    Application->ProcessMessages();
    RECT client;
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(ClientOffset(), (TPoint{kBorder, kCaption}));
    EXPECT_EQ(HitTestAt(100, 10), HTCAPTION);
}

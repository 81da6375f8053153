#include "tests/skinwin/FrameFixture.h"
#include "tests/support/RealInput.h"
#include "tests/support/WindowQueries.h"

namespace {

void MainWindowIcons(TSeSkinForm& frame)
{
    frame.SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize});
    frame.SetCanResize(false);
}

// A real mouse event at a screen point, handled before returning.
void Mouse(TPoint at, DWORD flags)
{
    SendMouse(at, flags);
    Application->ProcessMessages();
}

} // namespace

TEST_F(FrameTest, ACaptionButtonPopsUpWhileThePointerIsOffItAndAReleaseThereDoesNothing)
{
    Build(WithSetup(MainWindowIcons));
    for (TKsBorderIcon icon : {kbiClose, kbiMinimize}) {
        SCOPED_TRACE(icon == kbiClose ? "close" : "minimize");
        const TPoint centre = Centre(Frame->CaptionButtonRect(icon));
        const TPoint on{WindowRect().Left + centre.X, WindowRect().Top + centre.Y};
        const TPoint off{WindowRect().Left + 60, on.Y};
        Mouse(on, 0);
        Mouse(on, MOUSEEVENTF_LEFTDOWN);
        auto* button = dynamic_cast<TSeSystemButton*>(Frame->PressedObject());
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->PressState(), 2);
        Mouse(off, 0);
        EXPECT_EQ(button->PressState(), 0) << "up while the pointer is off it";
        Mouse(on, 0);
        EXPECT_EQ(button->PressState(), 2) << "down again over it";
        Mouse(off, 0);
        Mouse(off, MOUSEEVENTF_LEFTUP);
        EXPECT_NE(button->PressState(), 2);
        EXPECT_TRUE(IsWindowVisible(Window()));
        EXPECT_FALSE(IsIconic(Window()));
    }
}

TEST_F(FrameTest, TheSkinsMinimizeButtonMinimizesAndThePlatformsRestoreBringsTheFrameBack)
{
    Build(WithSetup(MainWindowIcons));
    const TRect before = WindowRect();
    Click(Centre(Frame->CaptionButtonRect(kbiMinimize)));
    EXPECT_TRUE(IsIconic(Window()));
    EXPECT_EQ(Frame->WindowState(), kwsMinimized);

    ShowWindow(Window(), SW_RESTORE);
    Application->ProcessMessages();
    EXPECT_FALSE(IsIconic(Window()));
    EXPECT_EQ(Frame->WindowState(), kwsNormal);
    EXPECT_EQ(WindowRect(), before);
    RECT client;
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
}

TEST_F(FrameTest, MaximizeFillsTheWorkAreaAndRestoreGivesTheBoundsBack)
{
    Build();
    const TRect before = WindowRect();
    Frame->SetWindowState(kwsMaximized);
    EXPECT_EQ(WindowRect(), Frame->MaximizedRect());
    Frame->SetWindowState(kwsNormal);
    EXPECT_EQ(WindowRect(), before);
    // A double click on the caption toggles when the frame has a maximize button.
    SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, PointParam(WindowRect().Left + 100, WindowRect().Top + 10));
    EXPECT_EQ(Frame->WindowState(), kwsMaximized);
}

TEST_F(FrameTest, TheSkinsCloseButtonClosesTheFormAndDoubleClickingTheSystemMenuIconToo)
{
    Build(WithSetup(MainWindowIcons));
    Click(Centre(Frame->CaptionButtonRect(kbiClose)));
    EXPECT_FALSE(IsWindowVisible(Window()));

    Form->Show();
    Application->ProcessMessages();
    // Without a maximize button a double click on the caption does nothing.
    const TRect bounds = WindowRect();
    SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, PointParam(bounds.Left + 100, bounds.Top + 10));
    EXPECT_EQ(WindowRect(), bounds);
    EXPECT_TRUE(IsWindowVisible(Window()));
    TPoint icon = Centre(Frame->CaptionButtonRect(kbiSystemMenu));
    SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTMINBUTTON, PointParam(bounds.Left + icon.X, bounds.Top + icon.Y));
    EXPECT_FALSE(IsWindowVisible(Window()));
}

TEST_F(FrameTest, ASimpleDragMovesOnlyWhenTheButtonIsReleased)
{
    Build(WithSetup([](TSeSkinForm& frame) { frame.SetSimpleDrag(true); }));
    const TRect start = WindowRect();
    Press({100, 10});
    MoveBy(60, 40);
    EXPECT_EQ(WindowRect(), start);
    ReleaseBy(60, 40);
    EXPECT_EQ(WindowRect(), start.Offset(60, 40));
    Application->ProcessMessages();
    // Painting went on after the outline mode.
    SendMessageW(Window(), WM_NCPAINT, 1, 0);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(FrameTest, StayOnTopSetWhileLoadingKeepsTheWindowAboveOthersAlsoWhenItIsMadeAgain)
{
    Build(WithSetup([](TSeSkinForm& frame) { frame.SetStayOnTop(true); }));
    EXPECT_TRUE(GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    const HWND before = Window();
    Form->RecreateWnd();
    Application->ProcessMessages();
    ASSERT_NE(Window(), before);
    EXPECT_TRUE(GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(FrameTest, HoveringTheSystemMenuIconGivesTheFormTheHintSystemMenu)
{
    Build();
    TRect bounds = WindowRect();
    TPoint icon = Centre(Frame->CaptionButtonRect(kbiSystemMenu));
    SendMessageW(Window(), WM_NCMOUSEMOVE, HTMINBUTTON, PointParam(bounds.Left + icon.X, bounds.Top + icon.Y));
    EXPECT_EQ(Form->Hint(), L"System Menu");
}

TEST_F(FrameTest, ReadingTheCaptionAfterAChangeGivesTheWholeTextAndTheCaptionStyleComesBack)
{
    Build();
    const std::wstring caption = L"新的標題 New title";
    Form->SetCaption(caption);
    // The first read after the change is the frame's own, as it paints the new caption.
    EXPECT_EQ(Frame->TitleObject()->Text(), caption);
    EXPECT_NE(GetWindowLongW(Window(), GWL_STYLE) & WS_CAPTION, WS_CAPTION) << "until the posted repaint";
    wchar_t text[64] = {};
    EXPECT_EQ(GetWindowTextW(Window(), text, 64), static_cast<int>(caption.size()));
    EXPECT_EQ(text, caption);
    LRESULT copied = SendMessageW(Window(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(copied, static_cast<LRESULT>(caption.size()));
    Application->ProcessMessages();
    EXPECT_EQ(GetWindowLongW(Window(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(Frame->TitleObject()->Text(), caption);
}

TEST_F(FrameTest, SettingTheBoundsPaintsWhatWaitsAndLeavesAQuitRequestForTheLoopsOutside)
{
    Build();
    PostQuitMessage(7);
    InvalidateRect(Window(), nullptr, TRUE);
    const TRect moved = WindowRect().Offset(10, 10);
    Frame->SetFormBounds(moved);
    EXPECT_EQ(WindowRect(), moved);
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FrameTest, ANewHueRebindsTheFrameToTheChangedSkin)
{
    Build();
    const TSeSkinObject* before = Frame->SkinCopy();
    ASSERT_NE(before, nullptr);
    Engine->SetDeltaHue(60);
    ASSERT_TRUE(Frame->SkinUsable());
    EXPECT_NE(Frame->TitleObject(), nullptr);
    EXPECT_EQ(Frame->ClientObject()->Color(), Engine->Source()->FormObject()->FindObjectByKind(skClient)->Color());
    EXPECT_EQ(Form->Color(), Frame->SkinCopy()->Color());
    RECT client;
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(FrameTest, RemovingTheEngineFallsBackToThePlainFrame)
{
    Build();
    delete Engine;
    Engine = nullptr;
    EXPECT_EQ(Frame->SkinEngine(), nullptr);
    EXPECT_FALSE(Frame->SkinUsable());
    EXPECT_EQ(Form->Color(), clBtnFace);
    SendMessageW(Window(), WM_NCPAINT, 1, 0);
    EXPECT_TRUE(Reports.empty());
}

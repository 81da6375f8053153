#include "WindowTesting.h"

#include "framework/Menus.h"
#include "framework/Screen.h"
#include "framework/Timer.h"

using Forms = WindowTest;

TEST_F(Forms, TheClientAreaKeepsItsSizeBelowTheMenuBar)
{
    auto* menu = new TMainMenu(Form);
    auto* file = new TMenuItem(Form);
    file->SetCaption(L"檔案(&F)");
    menu->Items()->Add(file);
    Form->SetBorderStyle(fbsSingle);
    Form->SetMenu(menu);
    Form->SetClientSize(363, 408);
    ShowForm();
    RECT client;
    GetClientRect(Form->Handle(), &client);
    EXPECT_EQ(client.right, 363);
    EXPECT_EQ(client.bottom, 408);
    EXPECT_EQ(GetMenu(Form->Handle()), menu->Handle());
    EXPECT_FALSE(GetWindowLongW(Form->Handle(), GWL_STYLE) & WS_THICKFRAME);
}

TEST_F(Forms, AScreenCentredFormIsPlacedInTheMiddleWhenFirstShown)
{
    Form->SetPosition(poScreenCenter);
    ShowForm();
    RECT r;
    GetWindowRect(Form->Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, Screen->Width() / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, Screen->Height() / 2, 1);
}

TEST_F(Forms, TheShowEventRunsOnShowingButNotWhenTheWindowIsMadeAgain)
{
    int shows = 0;
    Form->OnShow = [&] {
        ++shows;
        // The event comes before the window is on the screen, so what it fills in is seen at once.
        EXPECT_FALSE(IsWindowVisible(Form->Handle()));
    };
    ShowForm();
    EXPECT_EQ(shows, 1);
    Form->RecreateWnd();
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    Form->Hide();
    Form->Show();
    EXPECT_EQ(shows, 2);
}

TEST_F(Forms, ClosingAsksFirstAndTheCloseButtonTakesTheSameWay)
{
    bool mayClose = false;
    int asked = 0;
    Form->OnCloseQuery = [&] {
        ++asked;
        return mayClose;
    };
    TCloseAction seen = caNone;
    Form->OnClose = [&](TCloseAction& action) { seen = action; };
    ShowForm();

    SendMessageW(Form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_EQ(seen, caNone);

    mayClose = true;
    Form->Close();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(seen, caHide);
    EXPECT_FALSE(IsWindowVisible(Form->Handle()));
    EXPECT_FALSE(Form->Visible());
}

TEST_F(Forms, ScreenListsFormsInCreationOrderAndTheirDesktop)
{
    int before = Screen->FormCount();
    auto* second = new TForm(nullptr);
    EXPECT_EQ(Screen->FormCount(), before + 1);
    EXPECT_EQ(Screen->Forms(before), second);
    EXPECT_EQ(Screen->Forms(before - 1), Form);
    delete second;
    EXPECT_EQ(Screen->FormCount(), before);

    auto monitors = Screen->Monitors();
    ASSERT_FALSE(monitors.empty());
    EXPECT_TRUE(std::any_of(monitors.begin(), monitors.end(), [](const TMonitor& m) { return m.Primary; }));
    TRect work = Screen->WorkAreaRect();
    EXPECT_GT(work.Width(), 0);
    EXPECT_LE(work.Width(), Screen->Width());
    ShowForm();
    EXPECT_EQ(Screen->ActiveForm(), Form);
}

using Menus = WindowTest;

TEST_F(Menus, ChoosingAnEntryRunsItsClickAndCaptionsShowAtOnce)
{
    auto* menu = new TMainMenu(Form);
    auto* file = new TMenuItem(Form);
    auto* open = new TMenuItem(Form);
    auto* quit = new TMenuItem(Form);
    file->SetCaption(L"檔案(&F)");
    open->SetCaption(L"載入(&L)");
    quit->SetCaption(L"離開(&X)");
    menu->Items()->Add(file);
    file->Add(open);
    file->Add(quit);
    int opened = 0;
    open->OnClick = [&] { ++opened; };
    Form->SetMenu(menu);
    ShowForm();

    HMENU bar = GetMenu(Form->Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(MenuText(bar, 0), L"檔案(&F)");
    HMENU sub = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_EQ(MenuText(sub, 1), L"離開(&X)");
    EXPECT_EQ(GetMenuItemID(sub, 0), open->Command());

    SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
    EXPECT_EQ(opened, 1);
    // An entry that opens a sub-menu is not a command.
    EXPECT_FALSE(menu->DispatchCommand(file->Command()));

    quit->SetCaption(L"結束(&E)");
    EXPECT_EQ(MenuText(GetSubMenu(GetMenu(Form->Handle()), 0), 1), L"結束(&E)");
    delete open;
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(Form->Handle()), 0)), 1);
}

TEST_F(Menus, TheMenuBarOutlivesTheWindowThatHeldIt)
{
    auto* menu = new TMainMenu(Form);
    auto* item = new TMenuItem(Form);
    item->SetCaption(L"A");
    menu->Items()->Add(item);
    Form->SetMenu(menu);
    ShowForm();
    HMENU handle = menu->Handle();
    Form->RecreateWnd();
    // The same menu moves to the new window instead of being destroyed with the old one.
    EXPECT_TRUE(IsMenu(handle));
    EXPECT_EQ(GetMenu(Form->Handle()), handle);
}

using Timers = WindowTest;

TEST_F(Timers, ATimerTicksThroughTheMessageLoopAndItsErrorsAreReported)
{
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(10);
    timer.OnTimer = [&] {
        if (++ticks == 2) throw EInvalidOperation(L"timer failed");
    };
    DWORD start = GetTickCount();
    while (ticks < 3 && GetTickCount() - start < 3000) {
        Application->ProcessMessages();
        Sleep(5);
    }
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(Reports, std::vector<std::wstring>{L"timer failed"});

    timer.SetEnabled(false);
    int stopped = ticks;
    Sleep(50);
    Application->ProcessMessages();
    EXPECT_EQ(ticks, stopped);
}

#include "FrameFixture.h"

#include "framework/Messages.h"
#include "skinwin/KsFormResources.h"
#include "skinwin/KsSystemMenu.h"
#include "tests/support/RealInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Describe(const std::vector<TKsSystemMenuEntry>& entries)
{
    std::wstring text;
    for (const TKsSystemMenuEntry& entry : entries) {
        if (!text.empty()) text += L"|";
        text += entry.Caption;
        if (entry.ShortCut != scNone) text += L"[" + ShortCutToText(entry.ShortCut) + L"]";
    }
    return text;
}

TEST(SystemMenu, EntriesFollowTheBorderIconsAndTheState)
{
    const TKsBorderIcons mainWindow{kbiClose, kbiSystemMenu, kbiMinimize};
    const TKsBorderIcons all{kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiRollup, kbiTray};
    EXPECT_EQ(Describe(SystemMenuEntries(mainWindow, kwsNormal)), L"Mi&nimize|-|&Close[Alt+F4]");
    EXPECT_EQ(Describe(SystemMenuEntries(mainWindow, kwsMinimized)), L"&Restore|-|&Close[Alt+F4]");
    EXPECT_EQ(Describe(SystemMenuEntries(all, kwsNormal)),
              L"Mi&nimize|Ma&ximize|Ro&llup|Minimize to &Tray|-|&Close[Alt+F4]");
    EXPECT_EQ(Describe(SystemMenuEntries(all, kwsMaximized)),
              L"&Restore|Mi&nimize|Ro&llup|Minimize to &Tray|-|&Close[Alt+F4]");
    EXPECT_EQ(Describe(SystemMenuEntries(all, kwsRollup)),
              L"&Restore|Mi&nimize|Ma&ximize|Minimize to &Tray|-|&Close[Alt+F4]");
    EXPECT_EQ(Describe(SystemMenuEntries(all, kwsTray)), L"&Restore|-|&Close[Alt+F4]");
    EXPECT_EQ(Describe(SystemMenuEntries({kbiClose}, kwsNormal)), L"&Close[Alt+F4]") << "no separator above nothing";
    EXPECT_EQ(Describe(SystemMenuEntries({kbiMaximize}, kwsMaximized)), L"&Restore");
    EXPECT_EQ(SystemMenuEntries(all, kwsNormal).back().ImageIndex, smiClose);
    EXPECT_EQ(SystemMenuEntries(all, kwsMaximized).front().ImageIndex, smiRestore);
}

TEST(TrayTip, IsCutTo63CharactersWithoutSplittingACharacter)
{
    EXPECT_EQ(CutTrayTip(std::wstring(70, L'字')), std::wstring(63, L'字'));
    EXPECT_EQ(CutTrayTip(L"Folvane Tool"), L"Folvane Tool");
    // U+20000 takes two UTF-16 units; the 63rd unit is its first half.
    const std::wstring wide = std::wstring(62, L'a') + L"\U00020000" + L"b";
    EXPECT_EQ(CutTrayTip(wide), std::wstring(62, L'a'));
}

class WindowStates : public FrameTest {
protected:
    // The frame's notification-area icon can be added, or cannot, as when no notification area runs.
    void BuildWithAllIcons(bool trayWorks = true)
    {
        TOptions options = WithSetup([](TSeSkinForm& frame) {
            frame.SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiRollup, kbiTray});
            frame.SetMinimizeApplication(false);
        });
        options.MakeFrame = [trayWorks](TForm* form) { return new TTrayTestForm(form, trayWorks); };
        Build(options);
        normal_ = WindowRect();
    }
    const std::vector<DWORD>& IconCalls() const { return static_cast<TTrayTestForm*>(Frame)->IconCalls; }
    void ExpectNormal()
    {
        EXPECT_EQ(Frame->WindowState(), kwsNormal);
        EXPECT_EQ(WindowRect(), normal_);
        EXPECT_TRUE(IsWindowVisible(Window()));
    }
    void ExpectMaximized()
    {
        EXPECT_EQ(Frame->WindowState(), kwsMaximized);
        EXPECT_EQ(WindowRect(), Frame->MaximizedRect());
        EXPECT_TRUE(IsWindowVisible(Window()));
    }

    TRect normal_;
};

TEST_F(WindowStates, RestoreAfterMaximizeMinimizeAndRollUpReturnsTheNormalBounds)
{
    BuildWithAllIcons();
    Frame->Maximize();
    ExpectMaximized();
    EXPECT_EQ(Frame->PreviousWindowState(), kwsNormal);
    Frame->Restore();
    ExpectNormal();

    Frame->Minimize();
    EXPECT_EQ(Frame->WindowState(), kwsMinimized);
    EXPECT_EQ(WindowRect(), Frame->MinimizedRect());
    Frame->Restore();
    ExpectNormal();

    Frame->RollUp();
    EXPECT_EQ(WindowRect().Height(), Frame->RollupRect().Height());
    Frame->RollUp();
    ExpectNormal();
}

TEST_F(WindowStates, ARestoreGoesBackToTheMaximizedStateItLeft)
{
    BuildWithAllIcons();
    Frame->Maximize();
    Frame->Minimize();
    Frame->Restore();
    ExpectMaximized();
    EXPECT_EQ(Frame->PreviousWindowState(), kwsNormal);

    Frame->RollUp();
    EXPECT_EQ(Frame->PreviousWindowState(), kwsMaximized);
    Frame->Restore();
    ExpectMaximized();
    Frame->Restore();
    ExpectNormal();
}

TEST_F(WindowStates, AWindowBackMaximizedFromMinimizedRestoresToItsNormalBounds)
{
    BuildWithAllIcons();
    // Minimized through the platform, as the main window is, and brought back by it (the task bar).
    Frame->SetMinimizeApplication(true);
    Frame->Maximize();
    Frame->Minimize();
    ASSERT_TRUE(IsIconic(Window()));
    ShowWindow(Window(), SW_RESTORE);
    Application->ProcessMessages();
    ExpectMaximized();
    Frame->Restore();
    ExpectNormal();

    // Maximized while minimized in place.
    Frame->SetMinimizeApplication(false);
    Frame->Minimize();
    Frame->SetWindowState(kwsMaximized);
    ExpectMaximized();
    Frame->Restore();
    ExpectNormal();
}

TEST_F(WindowStates, WithADropShadowMinimizedAndRolledUpWindowsStillGoBackToMaximized)
{
    TOptions options = WithSetup([](TSeSkinForm& frame) {
        frame.SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiRollup});
        frame.SetMinimizeApplication(false);
        frame.SetDropShadow(true);
    });
    Build(options);
    normal_ = WindowRect();
    Frame->Maximize();
    Frame->Minimize();
    Frame->Restore();
    ExpectMaximized();
    Frame->RollUp();
    Frame->Restore();
    ExpectMaximized();
    Frame->Restore();
    ExpectNormal();
}

TEST_F(WindowStates, TheTrayHidesTheWindowAndItsIconBringsItBackAsItWas)
{
    BuildWithAllIcons();
    Frame->Maximize();
    Frame->MinimizeToTray();
    ASSERT_TRUE(Frame->CreateStatus());
    EXPECT_EQ(Frame->WindowState(), kwsTray);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_EQ(Frame->TrayTip(), L"框架測試 Frame");
    // A double click on the icon.
    SendMessageW(Frame->UtilityWindow(), CM_TRAYCALLBACK, 0, WM_LBUTTONDBLCLK);
    ExpectMaximized();
    Frame->Restore();
    ExpectNormal();

    Frame->MinimizeToTray();
    Frame->MinimizeToTray();
    ExpectNormal();
    EXPECT_EQ(Frame->PreviousWindowState(), kwsTray);
    EXPECT_EQ(IconCalls(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE, NIM_ADD, NIM_DELETE}));
}

TEST_F(WindowStates, OnlyTheSessionsRealEndTakesTheTrayIconAway)
{
    BuildWithAllIcons();
    Frame->MinimizeToTray();
    ASSERT_TRUE(Frame->CreateStatus());
    EXPECT_EQ(SendMessageW(Frame->UtilityWindow(), WM_QUERYENDSESSION, 0, 0), 1);
    // The shutdown was cancelled: the hidden window keeps its only way back.
    SendMessageW(Frame->UtilityWindow(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(IconCalls(), std::vector<DWORD>{NIM_ADD});
    SendMessageW(Frame->UtilityWindow(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(IconCalls(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
}

TEST_F(WindowStates, AWindowWhoseTrayIconFailsStaysOnTheScreenInItsState)
{
    BuildWithAllIcons(false);
    Frame->Maximize();
    Frame->MinimizeToTray();
    EXPECT_FALSE(Frame->CreateStatus());
    ExpectMaximized();
    EXPECT_EQ(Frame->PreviousWindowState(), kwsNormal);
    Frame->Restore();
    ExpectNormal();
}

// Runs inside a modal loop: minimize and tray in turn, then the frame's close.
struct TModalSteps {
    static inline TSeSkinForm* frame = nullptr;
    static inline std::vector<TKsWindowState>* states = nullptr;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        frame->Minimize();
        states->push_back(frame->WindowState());
        frame->MinimizeToTray();
        states->push_back(frame->WindowState());
        frame->Close();
    }
};

TEST_F(WindowStates, AModalFormIsNeitherMinimizedNorClosedButGetsCancel)
{
    BuildWithAllIcons();
    std::vector<TKsWindowState> seen;
    Form->Hide();
    Application->ProcessMessages();
    TModalSteps::frame = Frame;
    TModalSteps::states = &seen;
    SetTimer(nullptr, 0, 30, TModalSteps::Tick);
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_EQ(seen, (std::vector<TKsWindowState>{kwsNormal, kwsNormal}));
    EXPECT_FALSE(IsWindowVisible(Window()));
}

// A frame that counts the runs of its close operation.
class TCloseCountingForm : public TSeSkinForm {
public:
    using TSeSkinForm::TSeSkinForm;
    int Closes = 0;
    void Close() override
    {
        ++Closes;
        TSeSkinForm::Close();
    }
};

// Keys pressed and released on the keyboard, in order, and handled before returning.
void PressKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    for (auto [key, down] : keys) SendKey(key, down);
    Application->ProcessMessages();
}

TEST_F(WindowStates, AltF4AndTheCloseCommandCloseThroughTheFrame)
{
    TOptions options = WithSetup([](TSeSkinForm& frame) { frame.SetMinimizeApplication(false); });
    options.MakeFrame = [](TForm* form) { return new TCloseCountingForm(form); };
    Build(options);
    auto* frame = static_cast<TCloseCountingForm*>(Frame);
    int asked = 0;
    Form->OnCloseQuery = [&] {
        ++asked;
        return true;
    };
    PressKeys({{VK_MENU, true}, {VK_F4, true}, {VK_F4, false}, {VK_MENU, false}});
    EXPECT_EQ(frame->Closes, 1);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(IsWindowVisible(Window()));

    Form->Show();
    Application->ProcessMessages();
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(frame->Closes, 2);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(IsWindowVisible(Window()));
}

} // namespace

#include "tests/skinwin/FrameFixture.h"
#include "tests/skinwin/MenuTesting.h"

#include "framework/Messages.h"
#include "framework/StdCtrls.h"
#include "skinwin/KsFormResources.h"
#include "skinwin/KsSkinItems.h"
#include "skinwin/KsSkinMenus.h"

#include <string>
#include <vector>

namespace {

class SkinnedSystemMenu : public FrameTest {
protected:
    // The main window's frame: close, system menu and minimize, minimizing the window alone.
    static void MainWindowIcons(TSeSkinForm& frame)
    {
        frame.SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize});
        frame.SetCanResize(false);
        frame.SetMinimizeApplication(false);
    }

    // The view of the system menu's popup while it shows, else none.
    TKsItemView* MenuView() const { return Frame->SystemMenu() ? Frame->SystemMenu()->PopupView() : nullptr; }
    TKsPopupWindow* MenuWindow() const
    {
        TKsItemView* view = MenuView();
        return view ? dynamic_cast<TKsPopupWindow*>(view->Control()) : nullptr;
    }
    TPoint MenuPosition() const
    {
        RECT r;
        GetWindowRect(MenuWindow()->Handle(), &r);
        return {r.left, r.top};
    }
    TPoint ClientOrigin()
    {
        POINT origin{0, 0};
        ClientToScreen(Window(), &origin);
        return {origin.x, origin.y};
    }

    // Opens the system menu with Alt+Space, notes its entries ("caption|image|shortcut") and closes
    // it by typing key (an entry's letter, or Escape).
    std::vector<std::wstring> ShowAndType(wchar_t key)
    {
        std::vector<std::wstring> entries;
        TMenuScript script;
        script.When(
            "the system menu", [&] { return MenuWindow() && IsWindowVisible(MenuWindow()->Handle()); },
            [&] {
                TKsCustomItem* root = Frame->SystemMenu();
                for (int i = 0; i < root->Count(); ++i) {
                    TKsCustomItem* item = root->Items(i);
                    entries.push_back(item->Caption() + L"|" + std::to_wstring(item->ImageIndex()) + L"|" +
                                      ShortCutToText(item->ShortCut()));
                }
                if (key == VK_ESCAPE)
                    PostKey(VK_ESCAPE);
                else
                    PostMessageW(Window(), WM_CHAR, key, 1);
            });
        PostAltSpace();
        Application->ProcessMessages();
        EXPECT_TRUE(script.Done());
        return entries;
    }

    // Alt+Space as the platform delivers it once translated: a system character with Alt down.
    void PostAltSpace() { PostMessageW(Window(), WM_SYSCHAR, L' ', 0x20000001); }
    void PostKey(WPARAM key) { PostMessageW(Window(), WM_KEYDOWN, key, 1); }
};

TEST_F(SkinnedSystemMenu, AltSpaceShowsTheSkinnedMenuOfTheMainWindowAtTheClientOrigin)
{
    Build(WithSetup(MainWindowIcons));
    std::vector<std::wstring> entries;
    TMenuScript script;
    script.When(
        "the system menu", [&] { return MenuWindow() && IsWindowVisible(MenuWindow()->Handle()); },
        [&] {
            TKsCustomItem* root = Frame->SystemMenu();
            for (int i = 0; i < root->Count(); ++i) {
                TKsCustomItem* item = root->Items(i);
                auto* skinned = dynamic_cast<TSeSkinItem*>(item);
                entries.push_back(item->Caption() + L"|" + std::to_wstring(item->ImageIndex()) + L"|" +
                                  ShortCutToText(item->ShortCut()) + (skinned && skinned->Skinned() ? L"|skin" : L""));
            }
            EXPECT_EQ(root->Images(), &SystemMenuImages());
            EXPECT_EQ(MenuPosition(), ClientOrigin());
            // The first entry is selected for the keyboard, and the window keeps its active caption.
            EXPECT_EQ(MenuView()->Selected(), root->Items(0));
            EXPECT_TRUE(Frame->FrameActive());
            PostKey(VK_ESCAPE);
        });
    PostAltSpace();
    Application->ProcessMessages();

    EXPECT_TRUE(script.Done());
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"Mi&nimize|1||skin", L"-|-1||skin", L"&Close|0|Alt+F4|skin"}));
    EXPECT_EQ(FindWindowW(L"Folvane.PopupMenu", nullptr), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Frame->WindowState(), kwsNormal);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_TRUE(Reports.empty());
}

TEST_F(SkinnedSystemMenu, AnEntryChosenByItsLetterRunsItsCommandOnceTheMenuHasClosed)
{
    Build(WithSetup(MainWindowIcons));
    bool menuOpenDuringMinimize = true;
    TMenuScript script;
    script.When(
        "the system menu", [&] { return MenuWindow() != nullptr; }, [&] { PostMessageW(Window(), WM_CHAR, L'n', 1); });
    PostAltSpace();
    Application->ProcessMessages();
    menuOpenDuringMinimize = FindWindowW(L"Folvane.PopupMenu", nullptr) != nullptr;
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(menuOpenDuringMinimize);
    EXPECT_EQ(Frame->WindowState(), kwsMinimized);
    Frame->Restore();

    // Alt+F4, the shortcut the menu names, closes the window.
    PostMessageW(Window(), WM_SYSKEYDOWN, VK_F4, 0x20000001);
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(Window()));
}

TEST_F(SkinnedSystemMenu, EachShowingOffersTheEntriesOfTheStateTheWindowIsIn)
{
    Build(WithSetup([](TSeSkinForm& frame) {
        frame.SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiRollup, kbiTray});
        frame.SetMinimizeApplication(false);
    }));
    const TRect normal = WindowRect();
    using Entries = std::vector<std::wstring>;
    EXPECT_EQ(ShowAndType(L'x'), (Entries{L"Mi&nimize|1|", L"Ma&ximize|2|", L"Ro&llup|4|", L"Minimize to &Tray|5|",
                                          L"-|-1|", L"&Close|0|Alt+F4"}));
    EXPECT_EQ(Frame->WindowState(), kwsMaximized);
    EXPECT_EQ(ShowAndType(L'l'), (Entries{L"&Restore|3|", L"Mi&nimize|1|", L"Ro&llup|4|", L"Minimize to &Tray|5|",
                                          L"-|-1|", L"&Close|0|Alt+F4"}));
    EXPECT_EQ(Frame->WindowState(), kwsRollup);
    EXPECT_EQ(ShowAndType(L'r'), (Entries{L"&Restore|3|", L"Mi&nimize|1|", L"Ma&ximize|2|", L"Minimize to &Tray|5|",
                                          L"-|-1|", L"&Close|0|Alt+F4"}));
    // Rolled up from maximized, a restore maximizes again; the next one gives the normal bounds.
    EXPECT_EQ(Frame->WindowState(), kwsMaximized);
    ShowAndType(L'r');
    EXPECT_EQ(Frame->WindowState(), kwsNormal);
    EXPECT_EQ(WindowRect(), normal);

    // A tool window's frame offers the same entries; without the close icon there is no separator.
    Frame->SetBorderStyle(kbsToolWindow);
    Frame->SetBorderIcons({kbiSystemMenu, kbiMinimize});
    EXPECT_EQ(ShowAndType(VK_ESCAPE), (Entries{L"Mi&nimize|1|"}));
    EXPECT_TRUE(Reports.empty());
}

TEST_F(SkinnedSystemMenu, ARightClickOnTheCaptionShowsTheMenuAtTheClickWithTheSystemMenuSettings)
{
    Build(WithSetup([](TSeSkinForm& frame) {
        MainWindowIcons(frame);
        frame.SetSysMenuDropShadow(true);
        frame.SetSysMenuShadowWidth(6);
        frame.SetSysMenuBlend(true);
        frame.SetSysMenuBlendValue(200);
    }));
    const TRect bounds = WindowRect();
    const TPoint click{bounds.Left + 90, bounds.Top + 12};
    ASSERT_EQ(Frame->HitTest({90, 12}), fpCaption);
    TPoint shownAt;
    TMenuScript script;
    script.When(
        "the system menu", [&] { return MenuWindow() != nullptr; },
        [&] {
            shownAt = MenuPosition();
            TKsPopupForm* popup = MenuWindow()->PopupForm();
            EXPECT_TRUE(popup->DropShadow());
            EXPECT_EQ(popup->ShadowWidth(), 6);
            EXPECT_TRUE(popup->Blend());
            EXPECT_EQ(popup->BlendValue(), 200);
            PostKey(VK_ESCAPE);
        });
    SendMessageW(Window(), WM_NCRBUTTONDOWN, HTCAPTION, PointParam(click.X, click.Y));
    SendMessageW(Window(), WM_NCRBUTTONUP, HTCAPTION, PointParam(click.X, click.Y));
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(shownAt, click);

    // The click's point was for that menu only: the mouse's menu command shows it at the client origin.
    TMenuScript again;
    again.When(
        "the system menu", [&] { return MenuWindow() != nullptr; },
        [&] {
            shownAt = MenuPosition();
            PostKey(VK_ESCAPE);
        });
    SendMessageW(Window(), WM_SYSCOMMAND, SC_MOUSEMENU | HTSYSMENU, 0);
    EXPECT_TRUE(again.Done());
    EXPECT_EQ(shownAt, ClientOrigin());
}

TEST_F(SkinnedSystemMenu, InTheNotificationAreaTheTrayMenuIsShownInstead)
{
    TKsCustomPopupMenu* trayMenu = nullptr;
    Build(WithTray([&](TSeSkinForm& frame) {
        frame.SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize, kbiTray});
        frame.SetMinimizeApplication(false);
        trayMenu = new TSeSkinPopupMenu(Form);
        auto* item = new TSeSkinItem(Form);
        item->SetCaption(L"還原(&R)");
        trayMenu->Items()->Add(item);
        frame.SetTrayMenu(trayMenu);
    }));
    Frame->MinimizeToTray();
    ASSERT_TRUE(Frame->CreateStatus());
    bool foreground = false;
    TMenuScript script;
    script.When(
        "the tray menu", [&] { return TKsCustomPopupMenu::Showing() == trayMenu; },
        [&] {
            foreground = trayMenu->Items()->BringToForeground();
            PostKey(VK_ESCAPE);
        });
    SendMessageW(Frame->UtilityWindow(), CM_TRAYCALLBACK, 0, WM_RBUTTONUP);
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(foreground);
    EXPECT_EQ(Frame->SystemMenu(), nullptr);
    Frame->Restore();
}

// Watches for the platform's own popup menu while the keyboard's menu commands run, and closes it.
struct TPlatformMenuWatch {
    static inline HWND window = nullptr;
    static inline bool seen = false;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        seen = true;
        for (int i = 0; i < 3; ++i) PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
    }
};

TEST_F(SkinnedSystemMenu, WithoutAMenuBarAltAloneAndAltWithALetterOpenNoPlatformMenu)
{
    Build(WithSetup(MainWindowIcons));
    TPlatformMenuWatch::window = Window();
    TPlatformMenuWatch::seen = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, TPlatformMenuWatch::Tick);
    // Alt, then Down, as a person would to open the window's menu; then Alt+C.
    PostKey(VK_DOWN);
    SendMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    PostKey(VK_DOWN);
    SendMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, L'c');
    Application->ProcessMessages();
    KillTimer(nullptr, timer);
    EXPECT_FALSE(TPlatformMenuWatch::seen);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(Frame->WindowState(), kwsNormal);
}

TEST_F(SkinnedSystemMenu, ARightClickOnTheIconOfAMinimizedWindowShowsOurMenuAtTheClick)
{
    // Minimized by the platform, as the main window is with its program.
    Build(WithSetup([](TSeSkinForm& frame) { frame.SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize}); }));
    Frame->Minimize();
    Application->ProcessMessages();
    ASSERT_TRUE(IsIconic(Window()));
    RECT icon;
    GetWindowRect(Window(), &icon);
    const TPoint click{icon.left + 10, icon.top + 5};
    TPlatformMenuWatch::window = Window();
    TPlatformMenuWatch::seen = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, TPlatformMenuWatch::Tick);
    std::wstring first;
    TPoint shownAt;
    TMenuScript script;
    script.When(
        "the system menu", [&] { return MenuWindow() && IsWindowVisible(MenuWindow()->Handle()); },
        [&] {
            first = Frame->SystemMenu()->Items(0)->Caption();
            shownAt = MenuPosition();
            PostKey(VK_ESCAPE);
        });
    // The platform holds the mouse from the press on the icon until the release.
    SetCursorPos(click.X, click.Y);
    PostMessageW(Window(), WM_RBUTTONUP, 0, 0);
    SendMessageW(Window(), WM_NCRBUTTONDOWN, HTCAPTION, PointParam(click.X, click.Y));
    Application->ProcessMessages();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(TPlatformMenuWatch::seen);
    EXPECT_EQ(first, L"&Restore");
    // Placed at the click, or moved up to stay on the screen above the icon at the bottom.
    EXPECT_EQ(shownAt.X, click.X);
    Frame->Restore();
}

// A form with a menu bar whose frame takes the keyboard's menu commands.
class KeyboardMenu : public SkinnedSystemMenu {
protected:
    void BuildWithBar(std::function<void(TForm&)> beforeLoading = nullptr)
    {
        Build(WithSetup([&](TSeSkinForm& frame) {
            MainWindowIcons(frame);
            if (beforeLoading) beforeLoading(*Form);
            Bar = new TSeSkinMenuBar(Form);
            Bar->SetParent(Form);
            Bar->SetSkinEngine(Engine);
            File = AddItem(Bar->Items(), L"檔案(&F)");
            Save = AddItem(File, L"儲存設定檔(*.CFG)(&S)");
            Save->SetShortCut(scCtrl | 'S');
            About = AddItem(Bar->Items(), L"關於(&A)");
            AddItem(About, L"Folvane Tool(&D)");
            frame.SetMenuBar(Bar);
        }));
        SetCursorPos(0, 0);
    }

    TKsCustomItem* AddItem(TKsCustomItem* parent, const std::wstring& caption)
    {
        auto* item = new TSeSkinItem(Form);
        item->SetCaption(caption);
        item->OnClick = [this](TKsCustomItem* sender) { Clicks.push_back(sender->Caption()); };
        parent->Add(item);
        return item;
    }

    TKsItemView* FirstPopup() const { return Bar->View()->ChildView(); }

    TSeSkinMenuBar* Bar = nullptr;
    TKsCustomItem* File = nullptr;
    TKsCustomItem* Save = nullptr;
    TKsCustomItem* About = nullptr;
    std::vector<std::wstring> Clicks;
};

TEST_F(KeyboardMenu, TheKeyMenuCommandWithALetterEntersTheMenuBarAndTheLetterChooses)
{
    BuildWithBar();
    TMenuScript script;
    script
        .When(
            "the about menu", [&] { return FirstPopup() && Bar->View()->Selected() == About; },
            [&] { PostKey(VK_ESCAPE); })
        .Then([&] {
            EXPECT_TRUE(Bar->View()->Tracking());
            PostKey(VK_ESCAPE);
        });
    EXPECT_EQ(SendMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, L'a'), 1);
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(Bar->View()->Tracking());

    // Alt alone: the bar takes the keyboard with its first item.
    TMenuScript alone;
    alone.When(
        "the bar", [&] { return Bar->View()->Tracking(); },
        [&] {
            EXPECT_EQ(Bar->View()->Selected(), File);
            EXPECT_EQ(FirstPopup(), nullptr);
            PostKey(VK_ESCAPE);
        });
    SendMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(alone.Done());

    // Not while a window holds the mouse.
    SetCapture(Window());
    SendMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, L'a');
    ReleaseCapture();
    EXPECT_FALSE(Bar->View()->Tracking());
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(KeyboardMenu, AltWithALetterTypedInAControlEntersTheFormsMenuBar)
{
    TEdit* edit = nullptr;
    BuildWithBar([&](TForm& form) {
        edit = new TEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(8, 40, 120, 21);
    });
    edit->SetFocus();
    TMenuScript script;
    script.When(
        "the bar", [&] { return Bar->View()->Tracking(); },
        [&] {
            // The letter is no item's: the bar waits with its first item for the keyboard.
            EXPECT_EQ(Bar->View()->Selected(), File);
            EXPECT_EQ(FirstPopup(), nullptr);
            PostKey(VK_ESCAPE);
        });
    // Alt+Q as the platform delivers it to the focused edit once translated.
    PostMessageW(edit->Handle(), WM_SYSCHAR, L'q', 0x20000001);
    Application->ProcessMessages();
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(Bar->View()->Tracking());
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(KeyboardMenu, ShortcutKeysReachTheMenuBarBeforeTheFormsOwnHandler)
{
    std::vector<WPARAM> offered;
    BuildWithBar([&](TForm& form) {
        form.OnShortCut = [&](WPARAM key, LPARAM) {
            offered.push_back(key);
            return false;
        };
    });
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(Window(), WM_KEYDOWN, 'S', 1);
    PostMessageW(Window(), WM_KEYDOWN, 'Q', 1);
    Application->ProcessMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(Clicks, std::vector<std::wstring>{L"儲存設定檔(*.CFG)(&S)"});
    EXPECT_EQ(offered, std::vector<WPARAM>{'Q'});

    // Without the frame the form's own handler is the one asked.
    delete Frame;
    Frame = nullptr;
    Form->IsShortCut('S', 0);
    EXPECT_EQ(offered, (std::vector<WPARAM>{'Q', 'S'}));
}

} // namespace

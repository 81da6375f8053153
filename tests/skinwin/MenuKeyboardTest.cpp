#include "tests/skinwin/MenuTesting.h"

namespace {

using MenuKeyboard = MenuWindow;

TEST_F(MenuKeyboard, AltFOpensTheFileMenuWithItsFirstItemAndTheArrowsWrapAround)
{
    bool trackingDuringClick = true;
    bool popupDuringClick = true;
    Exit->OnClick = [&](TKsCustomItem*) {
        trackingDuringClick = Bar->View()->Tracking();
        popupDuringClick = FindWindowW(L"Folvane.PopupMenu", nullptr) != nullptr;
        Clicks.push_back(L"exit");
    };
    TMenuScript script;
    script
        .When(
            "the file menu", [&] { return FirstPopup() != nullptr; },
            [&] {
                HoldAlt(false);
                EXPECT_EQ(Bar->View()->Selected(), File);
                EXPECT_EQ(FirstPopup()->Selected(), Load);
                EXPECT_TRUE(IsWindowVisible(WindowOf(FirstPopup())));
                for (int i = 0; i < 3; ++i) PostKey(VK_DOWN);
            })
        .Then([&] {
            EXPECT_EQ(FirstPopup()->Selected(), Load);
            PostKey(VK_UP);
        })
        .Then([&] {
            EXPECT_EQ(FirstPopup()->Selected(), Exit);
            PostKey(VK_RETURN);
        });
    HoldAlt(true);
    PostAltF();
    Application->ProcessMessages();

    EXPECT_TRUE(script.Done());
    EXPECT_EQ(Clicks, std::vector<std::wstring>{L"exit"});
    EXPECT_FALSE(trackingDuringClick);
    EXPECT_FALSE(popupDuringClick);
    EXPECT_EQ(Bar->View()->Selected(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuKeyboard, LeftInTheFirstPopupOpensThePreviousBarItemWrappingToTheLast)
{
    TMenuScript script;
    script
        .When(
            "the file menu", [&] { return FirstPopup() != nullptr; },
            [&] {
                HoldAlt(false);
                PostKey(VK_LEFT);
            })
        .When(
            "the about menu", [&] { return FirstPopup() && Bar->View()->Selected() == About; },
            [&] {
                EXPECT_EQ(FirstPopup()->Item(), About);
                EXPECT_EQ(FirstPopup()->Selected(), Product);
                PostKey(VK_ESCAPE);
            })
        .Then([&] {
            // Escape closes the popup; the bar stays selected for the keyboard.
            EXPECT_EQ(FirstPopup(), nullptr);
            EXPECT_EQ(Bar->View()->Selected(), About);
            EXPECT_TRUE(Bar->View()->Tracking());
            PostKey(VK_RIGHT);
        })
        .Then([&] {
            EXPECT_EQ(Bar->View()->Selected(), File);
            EXPECT_EQ(FirstPopup(), nullptr);
            PostKey(VK_ESCAPE);
        });
    HoldAlt(true);
    PostAltF();
    Application->ProcessMessages();
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(Bar->View()->Tracking());
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(MenuKeyboard, ACharacterThatIsNoAcceleratorChangesNothing)
{
    TMenuScript script;
    script
        .When(
            "the file menu", [&] { return FirstPopup() != nullptr; },
            [&] {
                HoldAlt(false);
                PostMessageW(Form->Handle(), WM_CHAR, L'q', 1);
            })
        .Then([&] {
            ASSERT_NE(FirstPopup(), nullptr);
            EXPECT_EQ(FirstPopup()->Selected(), Load);
            PostMessageW(Form->Handle(), WM_CHAR, L's', 1);
        });
    HoldAlt(true);
    PostAltF();
    Application->ProcessMessages();
    EXPECT_TRUE(script.Done());
    // Only the accelerator chose an item.
    EXPECT_EQ(Clicks, std::vector<std::wstring>{L"儲存設定檔(*.CFG)(&S)"});
}

TEST_F(MenuKeyboard, AMenuWithoutASelectableItemNeitherLoopsNorClicks)
{
    Product->SetVisible(false);
    AddItem(About, L"-");
    TMenuScript script;
    script
        .When(
            "the about menu", [&] { return FirstPopup() != nullptr; },
            [&] {
                HoldAlt(false);
                EXPECT_EQ(FirstPopup()->Selected(), nullptr);
                for (WPARAM key : {VK_DOWN, VK_UP, VK_RETURN}) PostKey(key);
            })
        .Then([&] {
            ASSERT_NE(FirstPopup(), nullptr);
            EXPECT_EQ(FirstPopup()->Selected(), nullptr);
            PostKey(VK_ESCAPE);
            PostKey(VK_ESCAPE);
        });
    HoldAlt(true);
    PostMessageW(Form->Handle(), WM_SYSCHAR, L'a', 0x20000001);
    Application->ProcessMessages();
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(MenuKeyboard, AScrolledPopupShowsThreeItemsAndScrollsWithTheSelection)
{
    std::vector<TKsCustomItem*> entries;
    for (int i = 0; i < 10; ++i) entries.push_back(AddItem(About, L"Entry " + std::to_wstring(i)));
    About->Remove(Product);
    About->SetScrolled(true);
    About->SetScrollCount(3);
    TMenuScript script;
    script
        .When(
            "the scrolled menu", [&] { return FirstPopup() != nullptr; },
            [&] {
                HoldAlt(false);
                TKsItemView* popup = FirstPopup();
                int itemHeight = popup->ItemRect(entries[0]).Height();
                RECT client;
                GetClientRect(WindowOf(popup), &client);
                EXPECT_EQ(client.bottom, 3 * itemHeight);
                for (int i = 0; i < 3; ++i) PostKey(VK_DOWN);
            })
        .Then([&] {
            EXPECT_EQ(FirstPopup()->Selected(), entries[3]);
            EXPECT_EQ(About->FirstVisibleIndex(), 1);
            EXPECT_EQ(FirstPopup()->ItemRect(entries[3]).Top, 2 * FirstPopup()->ItemRect(entries[3]).Height());
            for (int i = 0; i < 3; ++i) PostKey(VK_UP);
            PostKey(VK_UP);
        })
        .Then([&] {
            EXPECT_EQ(FirstPopup()->Selected(), entries[9]);
            EXPECT_EQ(About->FirstVisibleIndex(), 7);
            PostKey(VK_ESCAPE);
            PostKey(VK_ESCAPE);
        });
    HoldAlt(true);
    PostMessageW(Form->Handle(), WM_SYSCHAR, L'a', 0x20000001);
    Application->ProcessMessages();
    EXPECT_TRUE(script.Done());
}

TEST_F(MenuKeyboard, AQuitMessageEndsEveryMenuAndStaysQueued)
{
    TMenuScript script;
    script.When(
        "the file menu", [&] { return FirstPopup() != nullptr; }, [] { PostQuitMessage(7); });
    PostMessageW(Form->Handle(), WM_CHAR, L'f', 1);
    Bar->EnterTracking();

    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(Bar->View()->Tracking());
    EXPECT_EQ(FindWindowW(L"Folvane.PopupMenu", nullptr), nullptr);
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
}

} // namespace

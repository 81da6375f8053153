#include "tests/skinwin/MenuTesting.h"

#include "skinwin/KsMessages.h"
#include "tests/support/AccessibleTesting.h"

#include <algorithm>
#include <memory>

namespace {

using AccessibleMenus = MenuWindow;

TEST_F(AccessibleMenus, TheItemsAreChildrenOfBarAndPopupAndTheirDefaultActionsOpenAndRunThem)
{
    TAccessible bar = AccessibleOf(Bar->Handle());
    ASSERT_TRUE(bar);
    EXPECT_EQ(AccRole(bar.Get()), ROLE_SYSTEM_MENUBAR);
    ASSERT_EQ(AccChildCount(bar.Get()), 2);
    EXPECT_EQ(AccRole(bar.Get(), 2), ROLE_SYSTEM_MENUITEM);
    EXPECT_EQ(AccName(bar.Get(), 2), L"關於(A)");
    EXPECT_EQ(AccText(bar.Get(), &IAccessible::get_accKeyboardShortcut, 2), L"Alt+A");
    EXPECT_TRUE(AccState(bar.Get(), 2) & STATE_SYSTEM_HASPOPUP);
    const TPoint aboutCentre = ItemCentre(Bar->View(), About);
    EXPECT_TRUE(AccLocation(bar.Get(), 2).Contains(aboutCentre));
    EXPECT_EQ(AccHitTest(bar.Get(), aboutCentre), 2);

    // The second item's popup, then its item.
    HWND popupWindow = nullptr;
    TMenuScript script;
    script.When(
        "the about menu", [&] { return FirstPopup() != nullptr; },
        [&] {
            popupWindow = WindowOf(FirstPopup());
            TAccessible popup = AccessibleOf(popupWindow);
            ASSERT_TRUE(popup);
            EXPECT_EQ(AccRole(popup.Get()), ROLE_SYSTEM_MENUPOPUP);
            EXPECT_EQ(AccName(popup.Get()), L"關於(A)");
            ASSERT_EQ(AccChildCount(popup.Get()), 1);
            EXPECT_EQ(AccName(popup.Get(), 1), L"Folvane Tool(D)");
            EXPECT_EQ(AccText(popup.Get(), &IAccessible::get_accDefaultAction, 1), L"Execute");
            EXPECT_TRUE(AccState(popup.Get(), 1) & STATE_SYSTEM_FOCUSED);
            EXPECT_EQ(popup.Get()->accDoDefaultAction(ChildVariant(1)), S_OK);
        });
    EXPECT_EQ(AccText(bar.Get(), &IAccessible::get_accDefaultAction, 2), L"Open");
    EXPECT_EQ(bar.Get()->accDoDefaultAction(ChildVariant(2)), S_OK);
    Application->ProcessMessages();

    EXPECT_TRUE(script.Done());
    EXPECT_EQ(Clicks, std::vector<std::wstring>{L"Folvane Tool(&D)"});
    EXPECT_FALSE(IsWindow(popupWindow));
}

TEST_F(AccessibleMenus, WorkingTheMenuFromTheKeyboardTellsItsStartItsPopupsTheFocusAndItsEnd)
{
    TWinEventLog log;
    HWND popup = nullptr;
    TMenuScript script;
    script
        .When(
            "the file menu", [&] { return FirstPopup() != nullptr; },
            [&] {
                HoldAlt(false);
                popup = WindowOf(FirstPopup());
                PostKey(VK_DOWN);
            })
        .Then([&] { PostKey(VK_ESCAPE); })
        .When(
            "the file menu closed", [&] { return FirstPopup() == nullptr; }, [&] { PostKey(VK_ESCAPE); });
    HoldAlt(true);
    PostAltF();
    Application->ProcessMessages();
    ASSERT_TRUE(script.Done());

    const std::vector<DWORD> menuEvents{EVENT_SYSTEM_MENUSTART, EVENT_SYSTEM_MENUEND, EVENT_OBJECT_FOCUS,
                                        EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPEND};
    std::vector<TWinEventLog::TEvent> seen;
    std::copy_if(log.Events().begin(), log.Events().end(), std::back_inserter(seen), [&](const auto& e) {
        return std::find(menuEvents.begin(), menuEvents.end(), e.Event) != menuEvents.end();
    });
    const HWND bar = Bar->Handle();
    const std::vector<TWinEventLog::TEvent> expected{
        {EVENT_SYSTEM_MENUSTART, bar, 0}, {EVENT_OBJECT_FOCUS, bar, 1},   {EVENT_SYSTEM_MENUPOPUPSTART, popup, 0},
        {EVENT_OBJECT_FOCUS, popup, 1},   {EVENT_OBJECT_FOCUS, popup, 2}, {EVENT_SYSTEM_MENUPOPUPEND, popup, 0},
        {EVENT_OBJECT_FOCUS, bar, 1},     {EVENT_SYSTEM_MENUEND, bar, 0},
    };
    EXPECT_TRUE(seen == expected) << seen.size() << " events";
}

TEST_F(AccessibleMenus, TheMessageDialogIsADialogWhoseTextIsItsDescriptionAndFirstChild)
{
    TKsCustomMessage message(Form);
    std::unique_ptr<TKsMessageForm> dialog(
        message.CreateMessageDialog(L"目錄列舉完畢", kmtInformation, {kmbOK, kmbCancel}));
    dialog->Show();
    Application->ProcessMessages();

    TAccessible object = AccessibleOf(dialog->Handle());
    ASSERT_TRUE(object);
    EXPECT_EQ(AccRole(object.Get()), ROLE_SYSTEM_DIALOG);
    EXPECT_EQ(AccName(object.Get()), L"Information");
    EXPECT_EQ(AccText(object.Get(), &IAccessible::get_accDescription), L"目錄列舉完畢");
    EXPECT_EQ(AccRole(object.Get(), 1), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(AccName(object.Get(), 1), L"目錄列舉完畢");
    const TRect text = AccLocation(object.Get(), 1);
    EXPECT_EQ(AccHitTest(object.Get(), {text.Left + 1, text.Top + 1}), 1);
    // The buttons follow the text, as the child windows they are.
    ASSERT_EQ(AccChildCount(object.Get()), 3);
    std::vector<std::wstring> buttons;
    for (LONG child = 2; child <= 3; ++child) {
        TAccessible button = AccessibleOf(AccChildWindow(object.Get(), child));
        buttons.push_back(button ? AccName(button.Get()) : L"<missing>");
    }
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ(buttons, (std::vector<std::wstring>{L"Cancel", L"OK"}));
}

} // namespace

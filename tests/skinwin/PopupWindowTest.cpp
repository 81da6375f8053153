#include "tests/skinwin/MenuTesting.h"

#include "framework/Exceptions.h"
#include "framework/Messages.h"
#include "skinwin/KsForms.h"

namespace {

TEST(PopupPlacement, APopupAtAPointFlipsAtTheRightAndBottomEdges)
{
    const TRect area{0, 0, 1280, 1024};
    const SIZE size{120, 80};
    EXPECT_EQ(PlacePopup(size, {100, 100}, {}, false, area), (TPoint{100, 100}));
    // 10 pixels from the right edge: the popup opens to the left of the point.
    EXPECT_EQ(PlacePopup(size, {1270, 100}, {}, false, area), (TPoint{1150, 100}));
    EXPECT_EQ(PlacePopup(size, {100, 1000}, {}, false, area), (TPoint{100, 920}));
}

TEST(PopupPlacement, ADropDownFlipsAboveItsBarItemAndASubMenuToTheLeftOfItsItem)
{
    const TRect area{0, 0, 1280, 1024};
    const SIZE size{120, 80};
    const TRect barItem{1200, 990, 1250, 1010};
    EXPECT_EQ(PlacePopup(size, {}, {10, 30, 60, 50}, true, area), (TPoint{10, 50}));
    EXPECT_EQ(PlacePopup(size, {}, barItem, true, area), (TPoint{1130, 910}));
    const TRect popupItem{1100, 200, 1200, 220};
    EXPECT_EQ(PlacePopup(size, {}, popupItem, false, area), (TPoint{980, 200}));
    EXPECT_EQ(PlacePopup(size, {}, {1100, 1000, 1200, 1020}, false, area), (TPoint{980, 940}));
    // An item reaching past the edge: after the flip the popup is pushed back inside; the left
    // edge is never tested.
    EXPECT_EQ(PlacePopup({100, 80}, {}, {300, 200, 340, 220}, true, {0, 0, 320, 1024}), (TPoint{220, 220}));
    EXPECT_EQ(PlacePopup({300, 80}, {}, {100, 200, 250, 220}, true, {0, 0, 320, 1024}), (TPoint{-50, 220}));
}

using PopupWindows = MenuWindow;

TEST_F(PopupWindows, APopupMenuTenPixelsFromTheScreensRightEdgeOpensLeftOfThePoint)
{
    TKsCustomPopupMenu menu(Form);
    AddItem(menu.Items(), L"複製(&C)");
    AddItem(menu.Items(), L"貼上(&P)");
    const int right = GetSystemMetrics(SM_CXSCREEN);
    const TPoint at{right - 10, 200};
    RECT placed{};
    bool showingDuringPopup = false;
    HWND activeDuringPopup = nullptr;
    TMenuScript script;
    script.When(
        "the popup", [] { return FindWindowW(L"Folvane.PopupMenu", nullptr) != nullptr; },
        [&] {
            HWND popup = FindWindowW(L"Folvane.PopupMenu", nullptr);
            GetWindowRect(popup, &placed);
            showingDuringPopup = TKsCustomPopupMenu::Showing() == &menu;
            activeDuringPopup = GetActiveWindow();
            PostKey(VK_ESCAPE);
        });
    menu.Popup(at.X, at.Y);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(placed.right, at.X);
    EXPECT_EQ(placed.top, at.Y);
    EXPECT_TRUE(showingDuringPopup);
    // The popup never takes the activation from the form.
    EXPECT_EQ(activeDuringPopup, Form->Handle());
    EXPECT_EQ(TKsCustomPopupMenu::Showing(), nullptr);
}

TEST_F(PopupWindows, ASecondPopupMenuClosesTheFirstBeforeItShows)
{
    TKsCustomPopupMenu first(Form), second(Form);
    AddItem(first.Items(), L"複製(&C)");
    AddItem(second.Items(), L"貼上(&P)");
    HWND firstWindow = nullptr;
    bool firstVisibleDuringSecond = true, firstTrackingDuringSecond = true;
    TMenuScript script;
    script
        .When(
            "the first menu", [&] { return first.Items()->PopupView() != nullptr; },
            [&] {
                firstWindow = WindowOf(first.Items()->PopupView());
                second.Popup(300, 300);
            })
        .When(
            "the second menu", [&] { return second.Items()->PopupView() != nullptr; },
            [&] {
                EXPECT_EQ(TKsCustomPopupMenu::Showing(), &second);
                firstVisibleDuringSecond = IsWindowVisible(firstWindow);
                firstTrackingDuringSecond = first.Items()->PopupView() && first.Items()->PopupView()->Tracking();
                // A first menu left open would track on after the second closed: it ends here, so
                // the test fails instead of waiting for ever.
                if (firstTrackingDuringSecond) first.Items()->PopupView()->EndChainTracking();
                PostKey(VK_ESCAPE);
            });
    first.Popup(100, 100);
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(firstVisibleDuringSecond);
    EXPECT_FALSE(firstTrackingDuringSecond);
    EXPECT_EQ(FindWindowW(L"Folvane.PopupMenu", nullptr), nullptr);
    EXPECT_EQ(TKsCustomPopupMenu::Showing(), nullptr);
}

TEST_F(PopupWindows, ASubMenuNearTheRightEdgeOpensLeftOfItsItem)
{
    TKsCustomItem* more = AddItem(File, L"More");
    AddItem(more, L"Inner");
    Form->SetBounds(GetSystemMetrics(SM_CXSCREEN) - 200, 100, 200, 200);
    RECT outer{}, inner{};
    TMenuScript script;
    script
        .When(
            "the file menu", [&] { return FirstPopup() != nullptr; },
            [&] {
                for (int i = 0; i < 3; ++i) PostKey(VK_DOWN);
                PostKey(VK_RETURN);
            })
        .When(
            "the sub-menu", [&] { return PopupOf(FirstPopup()) != nullptr; },
            [&] {
                GetWindowRect(WindowOf(FirstPopup()), &outer);
                GetWindowRect(WindowOf(PopupOf(FirstPopup())), &inner);
                PostMessageW(Form->Handle(), WM_NCMBUTTONDOWN, HTCAPTION, 0);
            });
    PostMessageW(Form->Handle(), WM_CHAR, L'f', 1);
    Bar->EnterTracking();
    EXPECT_TRUE(script.Done());
    // The sub-menu ends where its item starts, inside the popup's frame.
    EXPECT_EQ(inner.right, outer.left + 3);
}

// A plain frame that counts how often it paints.
class TCountingFrame : public TKsCustomForm {
public:
    using TKsCustomForm::TKsCustomForm;
    int Paints = 0;
    void PaintFrame(TKsBitmap& buffer) override
    {
        ++Paints;
        TKsCustomForm::PaintFrame(buffer);
    }
};

TEST_F(PopupWindows, TheFormKeepsItsActiveCaptionWhileItsMenuIsOpenAndClicked)
{
    auto* frame = new TCountingFrame(Form);
    frame->BeginLoading();
    frame->EndLoading();
    Application->ProcessMessages();
    bool activeAfterClick = false;
    HWND activeWindow = nullptr;
    TMenuScript script;
    script.When("the file menu", [&] { return FirstPopup() != nullptr; },
                [&] {
                    HWND popup = WindowOf(FirstPopup());
                    // A click on the popup, as on a window of its own: the form's caption must stay active.
                    SendMessageW(Form->Handle(), WM_NCACTIVATE, 0, 0);
                    SendMessageW(popup, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Form->Handle()),
                                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
                    activeAfterClick = frame->FrameActive();
                    activeWindow = GetActiveWindow();
                    PostKey(VK_ESCAPE);
                    PostKey(VK_ESCAPE);
                });
    PostMessageW(Form->Handle(), WM_CHAR, L'f', 1);
    Bar->EnterTracking();
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(activeAfterClick);
    EXPECT_EQ(activeWindow, Form->Handle());
}

TEST_F(PopupWindows, AnErrorWhileAPopupRunsStillReleasesTheCaptureAndClosesEveryPopup)
{
    auto* frame = new TCountingFrame(Form);
    frame->BeginLoading();
    frame->EndLoading();
    TKsCustomItem* more = AddItem(File, L"More");
    AddItem(more, L"Inner");
    more->OnBeforeDropDown = [](TKsCustomItem*) { throw Exception(L"drop-down failed"); };
    TMenuScript script;
    script.When(
        "the file menu", [&] { return FirstPopup() != nullptr; },
        [&] {
            for (int i = 0; i < 3; ++i) PostKey(VK_DOWN);
            PostKey(VK_RETURN);
        });
    PostMessageW(Form->Handle(), WM_CHAR, L'f', 1);
    EXPECT_THROW(Bar->EnterTracking(), Exception);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Bar->View()->ChildView(), nullptr);
    EXPECT_FALSE(Bar->View()->Tracking());
    EXPECT_EQ(FindWindowW(L"Folvane.PopupMenu", nullptr), nullptr);
    // The form's frame was held still while the popups appeared, and paints again.
    const int paints = frame->Paints;
    frame->PaintNonClient();
    EXPECT_EQ(frame->Paints, paints + 1);
}

// A popup window that fails as it is shown, opened by the root of a popup menu.
class TFailingPopupWindow : public TKsPopupWindow {
public:
    using TKsPopupWindow::TKsPopupWindow;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == CM_VISIBLECHANGED && message.WParam) throw Exception(L"show failed");
        TKsPopupWindow::WndProc(message);
    }
};

class TFailingRoot : public TKsCustomItem {
public:
    using TKsCustomItem::TKsCustomItem;
    TKsPopupWindow* CreatePopupWindow(TKsItemView* parentView) override
    {
        auto window = std::make_unique<TFailingPopupWindow>(Owner());
        window->Prepare(this, parentView);
        return window.release();
    }
};

class TFailingPopupMenu : public TKsCustomPopupMenu {
public:
    explicit TFailingPopupMenu(TComponent* owner)
        : TKsCustomPopupMenu(owner, [](TComponent* root) -> TKsCustomItem* { return new TFailingRoot(root); })
    {
    }
};

TEST_F(PopupWindows, APopupWhoseShowingFailsLeavesItsOwnersFrameRepainted)
{
    auto* frame = new TCountingFrame(Form);
    frame->BeginLoading();
    frame->EndLoading();
    Application->ProcessMessages();
    TFailingPopupMenu menu(Form);
    AddItem(menu.Items(), L"複製(&C)");
    // The caption as the frame painted it, then scribbled over as another window's drawing would.
    const int x = Form->Width() / 2, y = 8;
    HDC dc = GetWindowDC(Form->Handle());
    const COLORREF painted = GetPixel(dc, x, y);
    const COLORREF scribble = painted == RGB(255, 0, 255) ? RGB(0, 255, 0) : RGB(255, 0, 255);
    RECT caption{0, 0, Form->Width(), 16};
    HBRUSH brush = CreateSolidBrush(scribble);
    FillRect(dc, &caption, brush);
    DeleteObject(brush);
    ASSERT_EQ(GetPixel(dc, x, y), scribble);

    EXPECT_THROW(menu.Popup(100, 100), Exception);
    EXPECT_EQ(GetPixel(dc, x, y), painted) << "the frame held still for the popup paints again";
    ReleaseDC(Form->Handle(), dc);
    const int paints = frame->Paints;
    frame->PaintNonClient();
    EXPECT_EQ(frame->Paints, paints + 1);
}

TEST_F(PopupWindows, HandlesReturnToTheirCountAfterFiveHundredMenuOpenings)
{
    HANDLE process = GetCurrentProcess();
    auto open = [&] {
        TMenuScript script;
        script.When(
            "the file menu", [&] { return FirstPopup() != nullptr; },
            [&] {
                PostKey(VK_ESCAPE);
                PostKey(VK_ESCAPE);
            });
        PostMessageW(Form->Handle(), WM_CHAR, L'f', 1);
        Bar->EnterTracking();
        Application->ProcessMessages();
    };
    open();
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    for (int i = 0; i < 500; ++i) open();
    EXPECT_EQ(GetGuiResources(process, GR_GDIOBJECTS), gdi);
    EXPECT_EQ(GetGuiResources(process, GR_USEROBJECTS), user);
}

} // namespace

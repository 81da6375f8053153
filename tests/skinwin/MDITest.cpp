// A skinned multiple-document parent with a skinned menu bar and two skinned children.
#include "tests/skinwin/FrameFixture.h"
#include "tests/skinwin/MenuTesting.h"
#include "tests/support/WindowQueries.h"

#include "skinwin/KsSkinMenus.h"

#include <fstream>
#include <string>

namespace {

class MDI : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->OnException = [this](const Exception& e) { Reports.push_back(e.Message()); };
        Parent = new TForm(nullptr);
        Parent->BeginLoading();
        Parent->SetFormStyle(fsMDIForm);
        Parent->SetCaption(L"父視窗 Parent");
        Parent->SetBounds(60, 40, 640, 480);
        Engine = new TSeSkinEngine(Parent);
        Engine->ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
        Bar = new TSeSkinMenuBar(Parent);
        Bar->SetParent(Parent);
        Bar->SetSkinEngine(Engine);
        auto* file = new TSeSkinItem(Parent);
        file->SetCaption(L"檔案(&F)");
        Bar->Items()->Add(file);
        ParentFrame = new TSeSkinForm(Parent);
        ParentFrame->SetSkinEngine(Engine);
        ParentFrame->SetMenuBar(Bar);
        Parent->EndLoading();
        Parent->Show();
        SetForegroundWindow(Parent->Handle());
        Application->ProcessMessages();
        First = AddChild(L"子視窗一", 20, FirstFrame);
        Second = AddChild(L"子視窗二", 120, SecondFrame);
    }

    void TearDown() override
    {
        delete Parent;
        Application->OnException = nullptr;
        Application->ProcessMessages();
    }

    TForm* AddChild(const std::wstring& caption, int left, TSeSkinForm*& frame)
    {
        auto* child = new TForm(Parent);
        child->BeginLoading();
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(left, 20, 260, 180);
        frame = new TSeSkinForm(child);
        frame->SetSkinEngine(Engine);
        child->EndLoading();
        child->Show();
        Application->ProcessMessages();
        return child;
    }

    HWND Client() { return Parent->MDIClient()->Handle(); }
    TRect ClientArea()
    {
        RECT r;
        GetClientRect(Client(), &r);
        return TRect(r);
    }
    static TRect WindowSize(HWND window)
    {
        RECT r;
        GetWindowRect(window, &r);
        return {0, 0, r.right - r.left, r.bottom - r.top};
    }
    static TRect ClientSize(HWND window)
    {
        RECT r;
        GetClientRect(window, &r);
        return TRect(r);
    }
    std::vector<bool> ItemsShown()
    {
        std::vector<bool> shown;
        for (TKsCustomItem* item : Bar->MDIItems()) shown.push_back(item->Visible());
        return shown;
    }

    // A press on a child's caption, one move by (dx, dy) and, unless held, the release there.
    static void DragCaption(HWND window, int dx, int dy, bool release = true)
    {
        RECT r;
        GetWindowRect(window, &r);
        POINT at{r.left + 120, r.top + 12};
        auto param = [](POINT p) { return MAKELPARAM(static_cast<short>(p.x), static_cast<short>(p.y)); };
        SendMessageW(window, WM_NCLBUTTONDOWN, SendMessageW(window, WM_NCHITTEST, 0, param(at)), param(at));
        POINT to{at.x + dx, at.y + dy};
        ScreenToClient(window, &to);
        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, param(to));
        if (release) SendMessageW(window, WM_LBUTTONUP, 0, param(to));
    }

    // What a window shows (children included), as 32-bit pixels.
    static std::unique_ptr<TKsBitmap> Pixels(HWND window, bool whole)
    {
        TRect size = whole ? WindowSize(window) : ClientSize(window);
        auto bitmap = std::make_unique<TKsBitmap>();
        bitmap->SetSize(size.Width(), size.Height());
        HDC dc = whole ? GetWindowDC(window) : GetDC(window);
        BitBlt(bitmap->DC(), 0, 0, size.Width(), size.Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
        GdiFlush();
        return bitmap;
    }

    // Leaves a picture of the parent beside the test program, for people to look at.
    static void SaveShot(HWND window, const char* name)
    {
        auto pixels = Pixels(window, true);
        const int width = pixels->Width(), height = pixels->Height();
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER info{};
        info.biSize = sizeof(info);
        info.biWidth = width;
        info.biHeight = -height;
        info.biPlanes = 1;
        info.biBitCount = 32;
        info.biCompression = BI_RGB;
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info);
        file.bfSize = file.bfOffBits + width * height * 4;
        std::ofstream out(name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof(file));
        out.write(reinterpret_cast<const char*>(&info), sizeof(info));
        for (int y = 0; y < height; ++y) out.write(reinterpret_cast<const char*>(pixels->Row(y)), width * 4);
    }

    TForm* Parent = nullptr;
    TSeSkinEngine* Engine = nullptr;
    TSeSkinMenuBar* Bar = nullptr;
    TSeSkinForm* ParentFrame = nullptr;
    TForm* First = nullptr;
    TForm* Second = nullptr;
    TSeSkinForm* FirstFrame = nullptr;
    TSeSkinForm* SecondFrame = nullptr;
    std::vector<std::wstring> Reports;
};

TEST_F(MDI, TheParentsClientWindowShowsTheSkinsClientWithoutAnEdgeAndLetsTheMouseThrough)
{
    EXPECT_FALSE(GetWindowLongPtrW(Client(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(ChildRect(Client()).Top, Bar->Height());
    // Below the children, where nothing else is.
    const TRect area = ClientArea();
    POINT empty{area.Right - 10, area.Bottom - 10};
    POINT screen = empty;
    ClientToScreen(Client(), &screen);
    EXPECT_EQ(SendMessageW(Client(), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), HTTRANSPARENT);
    RedrawWindow(Client(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const uint32_t skinClient = ColorToPixel(Engine->Source()->FormObject()->FindObjectByKind(skClient)->Color());
    EXPECT_EQ(Pixels(Client(), false)->Pixel(empty.x, empty.y) & 0xFFFFFF, skinClient & 0xFFFFFF);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(MDI, AChildSnapsToTheParentsClientAreaAndDrawsItsOutlineOnTheClientWindow)
{
    EXPECT_FALSE(FirstFrame->MinimizeApplication());
    EXPECT_EQ(FirstFrame->MagneticValue(), 9);
    EXPECT_EQ(FirstFrame->BorderIcons(),
              (TKsBorderIcons{kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiRollup}));
    EXPECT_TRUE(ParentFrame->BorderIcons().Contains(kbiTray));

    // From 20 pixels to 8 from the left edge: snapped; to 9: left there.
    DragCaption(First->Handle(), -12, 0);
    EXPECT_EQ(ChildRect(First->Handle()).Left, 0);
    DragCaption(First->Handle(), 9, 0);
    EXPECT_EQ(ChildRect(First->Handle()).Left, 9);

    SecondFrame->SetSimpleDrag(true);
    const TRect before = ChildRect(Second->Handle());
    auto shownBefore = Pixels(Client(), false);
    DragCaption(Second->Handle(), 30, 40, false);
    auto shownDuring = Pixels(Client(), false);
    // The outline's top edge, where it lies in the client window, crosses the first child too.
    const TRect outline = before.Offset(30, 40);
    int changed = 0;
    for (int x = outline.Left; x < outline.Right; ++x)
        if (shownDuring->Pixel(x, outline.Top) != shownBefore->Pixel(x, outline.Top)) ++changed;
    EXPECT_GT(changed, outline.Width() * 9 / 10);
    EXPECT_EQ(ChildRect(Second->Handle()), before) << "the window waits for the release";
    SendMessageW(Second->Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(ChildRect(Second->Handle()).Left, outline.Left);
}

TEST_F(MDI, AMaximizedChildPutsItsButtonsOnTheParentsBarAndItsCaptionInTheParents)
{
    const TRect normal = ChildRect(First->Handle());
    EXPECT_EQ(ItemsShown(), (std::vector<bool>{false, false, false, false}));
    FirstFrame->Maximize();
    const TRect area = ClientArea();
    EXPECT_EQ(ChildRect(First->Handle()), TRect(0, 0, area.Right + 1, area.Bottom + 1));
    // No frame: the whole window is client area, without a region.
    EXPECT_EQ(ClientSize(First->Handle()), WindowSize(First->Handle()));
    EXPECT_EQ(GetWindowRgn(First->Handle(), TRegionHandle(CreateRectRgn(0, 0, 0, 0)).Get()), ERROR);
    EXPECT_EQ(Parent->ActiveMDIChild(), First);
    EXPECT_EQ(Parent->Caption(), L"父視窗 Parent - [子視窗一]");
    EXPECT_EQ(ItemsShown(), (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(Bar->MDIChildFrame(), FirstFrame);
    // The icon first, the buttons at the right end: minimize, restore, close.
    TKsItemView* view = Bar->View();
    const std::vector<TKsCustomItem*>& items = Bar->MDIItems();
    EXPECT_EQ(view->ItemRect(items[0]).Left, 0);
    EXPECT_EQ(view->ItemRect(items[1]).Right, Bar->ClientWidth());
    EXPECT_EQ(view->ItemRect(items[2]).Right, view->ItemRect(items[1]).Left);
    EXPECT_EQ(view->ItemRect(items[3]).Right, view->ItemRect(items[2]).Left);
    // The file menu follows the icon.
    EXPECT_GE(view->ItemRect(Bar->Items()->Items(1)).Left, view->ItemRect(items[0]).Right);
    RedrawWindow(Parent->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveShot(Parent->Handle(), "mdi-maximized-child.bmp");

    // The parent grows: the maximized child with it.
    Parent->SetBounds(Parent->Left(), Parent->Top(), Parent->Width() + 50, Parent->Height());
    Application->ProcessMessages();
    EXPECT_EQ(ChildRect(First->Handle()).Right, ClientArea().Right + 1);

    // A click on the bar's restore button.
    SetCursorPos(0, 0);
    TRect restore = view->ItemRect(items[2]);
    TPoint at = Bar->ClientToScreen({(restore.Left + restore.Right) / 2, (restore.Top + restore.Bottom) / 2});
    SetCursorPos(at.X, at.Y);
    const LPARAM point = MAKELPARAM((restore.Left + restore.Right) / 2, (restore.Top + restore.Bottom) / 2);
    PostMessageW(Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(Bar->Handle(), WM_LBUTTONUP, 0, point);
    Application->ProcessMessages();
    EXPECT_EQ(FirstFrame->WindowState(), kwsNormal);
    EXPECT_EQ(ChildRect(First->Handle()), normal);
    EXPECT_NE(ClientSize(First->Handle()), WindowSize(First->Handle()));
    EXPECT_EQ(Parent->Caption(), L"父視窗 Parent");
    EXPECT_EQ(ItemsShown(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Bar->MDIChildFrame(), nullptr);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(MDI, ActivatingAnotherChildMaximizesItInsteadAndTheBarsCloseMinimizesIt)
{
    const TRect normal = ChildRect(First->Handle());
    FirstFrame->Maximize();
    SendMessageW(Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Second->Handle()), 0);
    Application->ProcessMessages();
    EXPECT_EQ(SecondFrame->WindowState(), kwsMaximized);
    EXPECT_EQ(FirstFrame->WindowState(), kwsNormal);
    EXPECT_EQ(ChildRect(First->Handle()), normal);
    EXPECT_EQ(Bar->MDIChildFrame(), SecondFrame);
    EXPECT_EQ(Parent->Caption(), L"父視窗 Parent - [子視窗二]");

    // The maximized child's caption stays in the parent's.
    Second->SetCaption(L"報表");
    EXPECT_EQ(Parent->Caption(), L"父視窗 Parent - [報表]");

    // Closing a child keeps it in the parent, minimized.
    Bar->MDIItems()[1]->RunClick();
    Application->ProcessMessages();
    EXPECT_EQ(SecondFrame->WindowState(), kwsMinimized);
    EXPECT_EQ(Parent->Caption(), L"父視窗 Parent");
    EXPECT_EQ(Bar->MDIChildFrame(), nullptr);

    // A freed maximized child takes its buttons and its caption with it.
    FirstFrame->Maximize();
    EXPECT_EQ(Bar->MDIChildFrame(), FirstFrame);
    delete First;
    Application->ProcessMessages();
    EXPECT_EQ(Bar->MDIChildFrame(), nullptr);
    EXPECT_EQ(ItemsShown(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Parent->Caption(), L"父視窗 Parent");
    EXPECT_TRUE(Reports.empty());
}

TEST_F(MDI, AMinimizedChildMaximizedByItsActivationRestoresToItsNormalBounds)
{
    const TRect normal = ChildRect(Second->Handle());
    SecondFrame->Minimize();
    FirstFrame->Maximize();
    SendMessageW(Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Second->Handle()), 0);
    Application->ProcessMessages();
    ASSERT_EQ(SecondFrame->WindowState(), kwsMaximized);
    SecondFrame->Restore();
    EXPECT_EQ(SecondFrame->WindowState(), kwsNormal);
    EXPECT_EQ(ChildRect(Second->Handle()), normal);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(MDI, AChildsMenuKeysEnterTheParentsBarAndAltHyphenOpensTheActiveChildsSystemMenu)
{
    TMenuScript bar;
    bar.When(
        "the parent's bar", [&] { return Bar->View()->Tracking(); },
        [&] {
            ASSERT_NE(Bar->View()->Selected(), nullptr);
            EXPECT_EQ(Bar->View()->Selected()->Caption(), L"檔案(&F)");
            PostMessageW(Parent->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        });
    SendMessageW(First->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(bar.Done());

    // The second child, shown last, is the active one.
    TKsItemView* menu = nullptr;
    TMenuScript systemMenu;
    systemMenu.When(
        "the child's system menu",
        [&] { return SecondFrame->SystemMenu() && (menu = SecondFrame->SystemMenu()->PopupView()) != nullptr; },
        [&] {
            EXPECT_EQ(menu->Selected()->Caption(), L"Mi&nimize");
            PostMessageW(Parent->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        });
    SendMessageW(First->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'-');
    EXPECT_TRUE(systemMenu.Done());
    EXPECT_EQ(FirstFrame->SystemMenu(), nullptr);
    EXPECT_TRUE(Reports.empty());
}

} // namespace

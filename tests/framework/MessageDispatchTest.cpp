#include "WindowTesting.h"

#include "framework/Text.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace {

// A control of our own class that logs what its handlers receive and can consume keys.
class TLoggingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

    std::vector<std::wstring> Log;
    WORD ConsumedKey = 0;
    wchar_t Mnemonic = 0;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
    {
        Log.push_back(L"down " + std::to_wstring(button) + (shift & ssDouble ? L" double" : L"") + L" " +
                      std::to_wstring(x) + L"," + std::to_wstring(y));
    }
    void DblClick() override { Log.push_back(L"dblclick"); }
    void KeyDown(WORD& key, TShiftState) override
    {
        Log.push_back(L"keydown " + std::to_wstring(key));
        if (key == ConsumedKey) key = 0;
    }
    void KeyPress(wchar_t& key) override { Log.push_back(std::wstring(L"char ") + key); }
    bool MouseWheel(TShiftState, int delta, TPoint) override
    {
        Log.push_back(L"wheel " + std::to_wstring(delta));
        return true;
    }
    bool DialogChar(wchar_t key) override
    {
        if (key != Mnemonic) return false;
        Log.push_back(std::wstring(L"mnemonic ") + key);
        return true;
    }
};

// A window procedure of "another party" that records the messages it is given.
std::vector<UINT> foreignLog;
WNDPROC foreignNext = nullptr;

LRESULT CALLBACK RecordingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    foreignLog.push_back(msg);
    return CallWindowProcW(foreignNext ? foreignNext : DefWindowProcW, window, msg, wParam, lParam);
}

} // namespace

using MessageDispatch = WindowTest;

TEST_F(MessageDispatch, DoubleClickArrivesAsDownWithTheMarkThenDblClick)
{
    auto* control = new TLoggingControl(Form);
    control->SetParent(Form);
    control->SetBounds(10, 10, 100, 40);
    ShowForm();
    SendMessageW(control->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 9));
    SendMessageW(control->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120), MAKELPARAM(50, 50));
    EXPECT_EQ(control->Log, (std::vector<std::wstring>{L"down 0 double 7,9", L"dblclick", L"wheel -120"}));
}

TEST_F(MessageDispatch, AKeyTheHandlerUsesNeverReachesTheWindowsOwnProcedure)
{
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 50, 20, Form->Handle(), nullptr, nullptr, nullptr);
    foreignNext = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
    auto* control = new TLoggingControl(Form);
    control->AttachToWindow(window);
    control->ConsumedKey = VK_F10;
    foreignLog.clear();
    SendMessageW(window, WM_KEYDOWN, VK_F10, 0);
    SendMessageW(window, WM_KEYDOWN, VK_F9, 0);
    EXPECT_EQ(control->Log, (std::vector<std::wstring>{L"keydown 121", L"keydown 120"}));
    EXPECT_EQ(foreignLog, (std::vector<UINT>{WM_KEYDOWN}));
    delete control;
    DestroyWindow(window);
}

TEST_F(MessageDispatch, AttachedWindowReachesTheHandlersAndIsGivenBackUntouched)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 3, 4, 50, 20, Form->Handle(), nullptr,
                                  nullptr, nullptr);
    foreignNext = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
    auto* control = new TLoggingControl(Form);
    control->AttachToWindow(window);
    EXPECT_EQ(control->BoundsRect(), TRect::FromSize(3, 4, 50, 20));
    EXPECT_EQ(TWinControl::FindControl(window), control);

    foreignLog.clear();
    SendMessageW(window, WM_CHAR, L'x', 0);
    SendMessageW(window, CM_SKINCHANGED, 0, 0);
    SendMessageW(window, CM_OPENPOPUP, 0, 0);
    EXPECT_EQ(control->Log, (std::vector<std::wstring>{L"char x"}));
    // The window's own procedure saw the character but none of the private messages.
    EXPECT_NE(std::find(foreignLog.begin(), foreignLog.end(), WM_CHAR), foreignLog.end());
    EXPECT_EQ(std::find(foreignLog.begin(), foreignLog.end(), CM_SKINCHANGED), foreignLog.end());
    EXPECT_EQ(std::find(foreignLog.begin(), foreignLog.end(), CM_OPENPOPUP), foreignLog.end());

    delete control;
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(RecordingProc));
    EXPECT_EQ(TWinControl::FindControl(window), nullptr);
    EXPECT_TRUE(IsWindow(window));
    DestroyWindow(window);
}

TEST_F(MessageDispatch, AProcedureInstalledAfterTheAttachmentStaysAndStillReachesTheWindow)
{
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 50, 20, Form->Handle(), nullptr, nullptr, nullptr);
    auto* control = new TLoggingControl(Form);
    control->AttachToWindow(window);
    foreignNext = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC,
                                                              reinterpret_cast<LONG_PTR>(RecordingProc)));
    control->ReleaseWindow();
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(RecordingProc));
    foreignLog.clear();
    SetWindowTextW(window, L"still served");
    EXPECT_EQ(WindowText(window), L"still served");
    EXPECT_FALSE(foreignLog.empty());
    EXPECT_TRUE(control->Log.empty());
    DestroyWindow(window);
    delete control;
}

TEST_F(MessageDispatch, AltWithALetterReachesTheControlWhoseMnemonicItIs)
{
    auto* first = new TLoggingControl(Form);
    first->SetParent(Form);
    auto* second = new TLoggingControl(Form);
    second->SetParent(Form);
    second->Mnemonic = L's';
    ShowForm();
    EXPECT_EQ(SendMessageW(first->Handle(), WM_SYSCHAR, L's', 0), 0);
    EXPECT_EQ(second->Log, (std::vector<std::wstring>{L"mnemonic s"}));
    // A plain character on a control that takes no characters is offered the same way.
    SendMessageW(first->Handle(), WM_CHAR, L's', 0);
    EXPECT_EQ(second->Log.size(), 2u);
}

TEST_F(MessageDispatch, ScrollNotificationsOfAChildWindowAreReflectedToIt)
{
    struct TScrollChild : TCustomControl {
        using TCustomControl::TCustomControl;
        int Reflected = 0;
        void WndProc(TMessage& message) override
        {
            if (message.Msg == CN_VSCROLL) Reflected = LOWORD(message.WParam) + 1;
            TCustomControl::WndProc(message);
        }
    };
    auto* child = new TScrollChild(Form);
    child->SetParent(Form);
    ShowForm();
    SendMessageW(Form->Handle(), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(child->Handle()));
    EXPECT_EQ(child->Reflected, SB_PAGEDOWN + 1);
}

TEST(MessagePump, QuitEndsThePassAndStaysQueuedForTheLoopsOutside)
{
    TApplication application;
    PostMessageW(nullptr, WM_NULL, 0, 0);
    PostQuitMessage(3);
    application.ProcessMessages();
    EXPECT_TRUE(application.Terminated());
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

TEST(Mnemonics, TheCharacterAfterASingleAmpersandIgnoringCase)
{
    EXPECT_EQ(AcceleratorChar(L"&&a&Bc"), L'B');
    EXPECT_EQ(AcceleratorChar(L"a&&"), 0);
    EXPECT_EQ(AcceleratorChar(L"檔案(&F)"), L'F');
    EXPECT_TRUE(IsAccelerator(L'f', L"檔案(&F)"));
    EXPECT_FALSE(IsAccelerator(L'a', L"&&a"));
}

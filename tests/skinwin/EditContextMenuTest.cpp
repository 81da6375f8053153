#include "framework/Clipboard.h"
#include "skinctl/KsSkinEdits.h"
#include "tests/skinwin/MenuTesting.h"

namespace {

// A shown form with a skinned edit bound to an engine that holds the program's skin; the edit has
// the focus and the clipboard is empty.
class EditContextMenu : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Engine = new TSeSkinEngine(Form);
        Engine->ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
        Edit = new TSeSkinEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 200, 21);
        Edit->SetSkinEngine(Engine);
        ShowForm();
        Edit->SetFocus();
        OpenClipboard(Edit->Handle());
        EmptyClipboard();
        CloseClipboard();
    }

    // The popup's entries as "caption" or "caption (off)" for a disabled one.
    std::vector<std::wstring> Entries() const
    {
        std::vector<std::wstring> entries;
        TKsCustomItem* items = Edit->PopupMenu()->Items();
        for (int i = 0; i < items->Count(); ++i)
            entries.push_back(items->Items(i)->Caption() + (items->Items(i)->Enabled() ? L"" : L" (off)"));
        return entries;
    }

    static HWND PopupWindow() { return FindWindowW(L"Folvane.PopupMenu", nullptr); }

    static void PostKey(WPARAM key)
    {
        HWND target = GetFocus() ? GetFocus() : PopupWindow();
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }

    TSeSkinEngine* Engine = nullptr;
    TSeSkinEdit* Edit = nullptr;
};

} // namespace

TEST_F(EditContextMenu, ARightClickShowsTheSkinnedMenuAtThePointerAndCutRunsAfterItCloses)
{
    Edit->SetText(L"hello world");
    Edit->SetSelStart(6);
    Edit->SetSelLength(5);
    const TPoint at = Edit->ClientToScreen({30, 10});
    std::vector<std::wstring> entries;
    RECT placed{};
    TMenuScript script;
    script.When(
        "the context menu", [] { return PopupWindow() != nullptr; },
        [&] {
            entries = Entries();
            GetWindowRect(PopupWindow(), &placed);
            TKsCustomItem* items = Edit->PopupMenu()->Items();
            items->PopupView()->SetSelected(items->Items(2));
            PostKey(VK_RETURN);
        });
    SendMessageW(Edit->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Edit->Handle()), MAKELPARAM(at.X, at.Y));
    Application->ProcessMessages();
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"Undo (off)", L"-", L"Cut", L"Copy", L"Paste (off)", L"Delete", L"-",
                                                  L"Select All"}));
    EXPECT_EQ(placed.left, at.X);
    EXPECT_EQ(placed.top, at.Y);
    auto* skinned = dynamic_cast<TSeSkinPopupMenu*>(Edit->PopupMenu());
    ASSERT_NE(skinned, nullptr);
    EXPECT_EQ(skinned->SkinEngine(), Engine);
    EXPECT_TRUE(skinned->DropShadow());
    EXPECT_EQ(Edit->Text(), L"hello ");
    EXPECT_EQ(ClipboardText(), L"world");
}

TEST_F(EditContextMenu, AMenuKeyRequestOpensBelowTheCaretAndSelectAllRuns)
{
    Edit->SetText(L"abc");
    Edit->SetSelStart(2);
    Edit->SetReadOnly(true);
    // The platform caret moves when the edit paints.
    Edit->Update();
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &thread));
    ASSERT_EQ(thread.hwndCaret, Edit->Handle());
    const TPoint below = Edit->ClientToScreen({thread.rcCaret.left, thread.rcCaret.bottom});
    std::vector<std::wstring> entries;
    RECT placed{};
    TMenuScript script;
    script.When(
        "the context menu", [] { return PopupWindow() != nullptr; },
        [&] {
            entries = Entries();
            GetWindowRect(PopupWindow(), &placed);
            PostKey(VK_UP);
            PostKey(VK_RETURN);
        });
    SendMessageW(Edit->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Edit->Handle()), -1);
    Application->ProcessMessages();
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"Undo (off)", L"-", L"Cut (off)", L"Copy (off)", L"Paste (off)",
                                                  L"Delete (off)", L"-", L"Select All"}));
    EXPECT_EQ(placed.left, below.X);
    EXPECT_EQ(placed.top, below.Y);
    EXPECT_EQ(Edit->SelText(), L"abc");
}

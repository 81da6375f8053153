#include "ModalDriver.h"
#include "TempTree.h"

#include "framework/Exceptions.h"
#include "framework/FolderDialog.h"
#include "framework/Text.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

std::vector<std::wstring> ListItems(HWND list)
{
    std::vector<std::wstring> items;
    auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        item.resize(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data())));
        items.push_back(item);
    }
    return items;
}

// The n-th child of a class, counted from 0 in creation order.
HWND Child(HWND dialog, const wchar_t* className, int n = 0)
{
    HWND child = nullptr;
    for (int i = 0; i <= n; ++i) child = FindWindowExW(dialog, child, className, nullptr);
    return child;
}

HWND FolderList(HWND dialog) { return Child(dialog, L"ListBox", 0); }
HWND FileList(HWND dialog) { return Child(dialog, L"ListBox", 1); }
HWND NameBox(HWND dialog) { return Child(dialog, L"Edit"); }

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool Eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 300; ++i) {
        if (condition()) return true;
        Sleep(10);
    }
    return condition();
}

void Key(HWND dialog, WPARAM key) { PostMessageW(FocusOf(dialog), WM_KEYDOWN, key, 0); }

// A folder with two visible subfolders, a hidden one and files, made the current directory.
class FolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t current[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, current);
        previousDirectory = current;
        tree.Dir(L"beta");
        tree.Dir(L"Alpha");
        tree.Dir(L"Hidden", FILE_ATTRIBUTE_HIDDEN);
        tree.File(L"b.txt");
        tree.File(L"A.txt");
        tree.File(L"Alpha\\inside.txt");
        HANDLE hidden = CreateFileW((tree.Root() + L"h.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN, nullptr);
        CloseHandle(hidden);
        start = tree.Root().substr(0, tree.Root().size() - 1);
        SetCurrentDirectoryW(start.c_str());
    }

    void TearDown() override { SetCurrentDirectoryW(previousDirectory.c_str()); }

    TTempTree tree{L"chooser"};
    std::wstring start;
    std::wstring previousDirectory;
    TFolderDialog dialog;
    TModalDriver driver;
};

TEST_F(FolderDialogTest, OpensAtTheCurrentDirectoryWithAncestorsSubfoldersFilesAndDrives)
{
    std::wstring name;
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    LRESULT drives = 0;
    driver.Expect(L"Select Directory", [&](HWND window) {
        name = WindowText(NameBox(window));
        folders = ListItems(FolderList(window));
        files = ListItems(FileList(window));
        drives = SendMessageW(Child(window, L"ComboBox"), CB_GETCOUNT, 0, 0);
        TModalDriver::Press(IDCANCEL)(window);
    });
    EXPECT_FALSE(dialog.Execute(nullptr));
    ASSERT_TRUE(driver.WaitDone());

    EXPECT_EQ(name, start);
    std::vector<std::wstring> expected{start.substr(0, 3)};
    for (size_t from = 3, end; from < start.size(); from = end + 1) {
        end = std::min(start.find(L'\\', from), start.size());
        expected.push_back(start.substr(from, end - from));
    }
    expected.push_back(L"Alpha");
    expected.push_back(L"beta");
    EXPECT_EQ(folders, expected);
    EXPECT_EQ(files, (std::vector<std::wstring>{L"A.txt", L"b.txt"}));
    EXPECT_GE(drives, 1);
    EXPECT_EQ(driver.Texts().at(0), L"Directory &Name:\n&Directories:\n&Files: (*.*)\nD&rives:");
}

TEST_F(FolderDialogTest, HasNoHelpButtonAndANetworkButtonWhereTheServiceExists)
{
    HMODULE network = LoadLibraryW(L"mpr.dll");
    bool service = network && GetProcAddress(network, "WNetConnectionDialog");
    std::vector<std::wstring> buttons;
    driver.Expect(L"Select Directory", [&](HWND window) {
        for (HWND button = Child(window, L"Button"); button; button = FindWindowExW(window, button, L"Button", nullptr))
            buttons.push_back(WindowText(button));
        TModalDriver::Press(IDCANCEL)(window);
    });
    dialog.Execute(nullptr);
    ASSERT_TRUE(driver.WaitDone());
    std::vector<std::wstring> expected{L"OK", L"Cancel"};
    if (service) expected.push_back(L"Ne&twork...");
    EXPECT_EQ(buttons, expected);
    if (network) FreeLibrary(network);
}

TEST_F(FolderDialogTest, DoubleClickOpensAFolderAndTheNameBoxFollows)
{
    std::wstring nameAfterOpen;
    std::vector<std::wstring> filesAfterOpen;
    driver.Expect(L"Select Directory", [&](HWND window) {
        HWND list = FolderList(window);
        auto alpha = SendMessageW(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(L"Alpha"));
        SendMessageW(list, LB_SETCURSEL, alpha, 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        nameAfterOpen = WindowText(NameBox(window));
        filesAfterOpen = ListItems(FileList(window));
        TModalDriver::Press(IDOK)(window);
    });
    ASSERT_TRUE(dialog.Execute(nullptr));
    ASSERT_TRUE(driver.WaitDone());
    EXPECT_EQ(nameAfterOpen, start + L"\\Alpha");
    EXPECT_EQ(filesAfterOpen, std::vector<std::wstring>{L"inside.txt"});
    EXPECT_EQ(dialog.Folder(), start + L"\\Alpha");
}

TEST_F(FolderDialogTest, KeyboardMovesOpensTabsAndEscapes)
{
    bool opened = false;
    bool tabbed = false;
    driver.Expect(L"Select Directory", [&](HWND window) {
        HWND list = FolderList(window);
        Eventually([&] { return FocusOf(window) == list; });
        Key(window, VK_DOWN);
        Key(window, VK_RETURN);
        opened = Eventually([&] { return WindowText(NameBox(window)) == start + L"\\Alpha"; });
        Key(window, VK_TAB);
        tabbed = Eventually([&] { return FocusOf(window) == FileList(window); });
        Key(window, VK_ESCAPE);
    });
    EXPECT_FALSE(dialog.Execute(nullptr));
    ASSERT_TRUE(driver.WaitDone());
    EXPECT_TRUE(opened);
    EXPECT_TRUE(tabbed);
}

TEST_F(FolderDialogTest, EnterInTheNameBoxAcceptsTheTypedFolder)
{
    driver.Expect(L"Select Directory", [&](HWND window) {
        HWND box = NameBox(window);
        SetFocus(box);
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"beta"));
        PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    });
    ASSERT_TRUE(dialog.Execute(nullptr));
    ASSERT_TRUE(driver.WaitDone());
    EXPECT_EQ(dialog.Folder(), start + L"\\beta");
}

TEST_F(FolderDialogTest, MissingFolderAsksAndNoKeepsTheDialogOpen)
{
    std::wstring nameAfterNo;
    driver.Expect(L"Select Directory", [](HWND window) {
        SendMessageW(NameBox(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"new\\sub"));
        TModalDriver::Press(IDOK)(window);
    });
    driver.Expect(L"Confirm", TModalDriver::Press(IDNO));
    driver.Expect(L"Select Directory", [&](HWND window) {
        nameAfterNo = WindowText(NameBox(window));
        TModalDriver::Press(IDOK)(window);
    });
    driver.Expect(L"Confirm", TModalDriver::Press(IDYES));
    ASSERT_TRUE(dialog.Execute(nullptr));
    ASSERT_TRUE(driver.WaitDone(30000));
    ASSERT_EQ(driver.Texts().size(), 4u);
    EXPECT_EQ(driver.Texts()[1], L"The specified directory does not exist. Create it?");
    EXPECT_EQ(nameAfterNo, L"new\\sub");
    EXPECT_EQ(dialog.Folder(), start + L"\\new\\sub");
    EXPECT_EQ(GetFileAttributesW(dialog.Folder().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FolderDialogTest, EmptyNameAsksAndYesGivesAnEmptyFolder)
{
    driver.Expect(L"Select Directory", [](HWND window) {
        SendMessageW(NameBox(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        TModalDriver::Press(IDOK)(window);
    });
    driver.Expect(L"Confirm", TModalDriver::Press(IDYES));
    ASSERT_TRUE(dialog.Execute(nullptr));
    ASSERT_TRUE(driver.WaitDone());
    EXPECT_EQ(dialog.Folder(), L"");
}

TEST_F(FolderDialogTest, ChoosingADriveOpensIt)
{
    std::wstring name;
    driver.Expect(L"Select Directory", [&](HWND window) {
        HWND drives = Child(window, L"ComboBox");
        auto count = SendMessageW(drives, CB_GETCOUNT, 0, 0);
        auto current = SendMessageW(drives, CB_GETCURSEL, 0, 0);
        auto other = current == 0 && count > 1 ? 1 : 0;
        std::wstring caption(SendMessageW(drives, CB_GETLBTEXTLEN, other, 0) + 1, L'\0');
        caption.resize(SendMessageW(drives, CB_GETLBTEXT, other, reinterpret_cast<LPARAM>(caption.data())));
        SendMessageW(drives, CB_SETCURSEL, other, 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(drives));
        name = caption + L"|" + WindowText(NameBox(window));
        TModalDriver::Press(IDCANCEL)(window);
    });
    dialog.Execute(nullptr);
    ASSERT_TRUE(driver.WaitDone());
    // The name box now names a folder on the chosen drive: "x: [label]|X:\...".
    ASSERT_GE(name.size(), 6u);
    EXPECT_EQ(AsciiLowerCase(name.substr(0, 2)), AsciiLowerCase(name.substr(name.find(L'|') + 1, 2)));
}

TEST(ForceDirectories, CreatesMissingParentsAndRefusesAnEmptyName)
{
    TTempTree tree(L"force");
    std::wstring deep = tree.Root() + L"one\\two\\three\\";
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_NE(GetFileAttributesW(deep.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(ForceDirectories(deep));

    tree.File(L"plain");
    EXPECT_FALSE(ForceDirectories(tree.Root() + L"plain\\below"));

    try {
        ForceDirectories(L"");
        FAIL() << "no error raised";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), L"Unable to create directory");
    }
}

} // namespace

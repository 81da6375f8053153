#include "WindowTesting.h"

#include "framework/Dialogs.h"
#include "framework/Streams.h"
#include "framework/Timer.h"

#include <filesystem>

namespace {

// Waits, from a timer that the modal loop runs, for a dialog window of this thread; reads it,
// lets the test act on it, and ends it.
class TModalWatcher {
public:
    explicit TModalWatcher(std::function<void(HWND)> act) : act_(std::move(act))
    {
        timer_.SetInterval(20);
        timer_.OnTimer = [this] { Poll(); };
    }

    std::wstring Caption;
    std::wstring Text;
    bool HasOk = false;
    bool HasCancel = false;

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found)
    {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    void Poll()
    {
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) return;
        timer_.SetEnabled(false);
        wchar_t buffer[512] = {};
        GetWindowTextW(dialog, buffer, 512);
        Caption = buffer;
        GetDlgItemTextW(dialog, 0xFFFF, buffer, 512);
        Text = buffer;
        HasOk = GetDlgItem(dialog, IDOK) != nullptr;
        HasCancel = GetDlgItem(dialog, IDCANCEL) != nullptr;
        act_(dialog);
    }

    std::function<void(HWND)> act_;
    TTimer timer_{nullptr};
};

void PressOk(HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

// A folder for one test; the file dialogs move the current directory into it, so it is moved back first.
class TScratchFolder {
public:
    explicit TScratchFolder(const wchar_t* name)
        : path_(std::filesystem::temp_directory_path() / name), saved_(std::filesystem::current_path())
    {
        std::filesystem::create_directories(path_);
    }
    ~TScratchFolder()
    {
        std::filesystem::current_path(saved_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path saved_;
};

} // namespace

using Dialogs = WindowTest;

TEST_F(Dialogs, TheDefaultErrorReportIsAModalMessageBoxWithTheTitleAsCaption)
{
    ShowForm();
    Application->OnException = nullptr;
    std::wstring title = Application->Title();
    Application->SetTitle(L"Folvane Tool");
    TModalWatcher watcher(PressOk);
    Application->HandleException(EInOutError(L"File access denied"));
    Application->SetTitle(title);
    EXPECT_EQ(watcher.Caption, L"Folvane Tool");
    EXPECT_EQ(watcher.Text, L"File access denied");
    EXPECT_TRUE(watcher.HasOk);
}

namespace {

// Runs the dialog, typing name into its file name box and choosing OK.
bool ExecuteTyping(TFileDialog& dialog, const std::wstring& name)
{
    TModalWatcher typed([name](HWND window) {
        // The file name box: cmb13 holds an edit box in the explorer layout, edt1 in the older one.
        HWND box = GetDlgItem(window, 0x47C);
        if (!box) box = GetDlgItem(window, 0x480);
        SetWindowTextW(box, name.c_str());
        PressOk(window);
    });
    return dialog.Execute();
}

} // namespace

TEST_F(Dialogs, TheOpenDialogAcceptsATypedNameOfAFileThatDoesNotExist)
{
    TScratchFolder scratch(L"folvane dialogs");
    const std::filesystem::path& dir = scratch.Path();
    { TFileStream existing((dir / L"舊設定.cfg").wstring(), TFileMode::Create); }
    ShowForm();
    TOpenDialog open(nullptr);
    open.SetTitle(L"選擇檔案載入");
    open.SetFilter(L"設定檔|*.cfg");
    open.SetDefaultExt(L"cfg");
    open.SetInitialDir(dir.wstring());

    TModalWatcher cancel([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(cancel.Caption, L"選擇檔案載入");

    ASSERT_TRUE(ExecuteTyping(open, L"新設定"));
    EXPECT_EQ(open.FileName(), (dir / L"新設定").wstring());
    // An existing file is found with the default extension.
    ASSERT_TRUE(ExecuteTyping(open, L"舊設定"));
    EXPECT_EQ(open.FileName(), (dir / L"舊設定.cfg").wstring());
}

TEST_F(Dialogs, TheSaveDialogAddsTheDefaultExtensionAndAsksNothingAboutAnExistingFile)
{
    TScratchFolder scratch(L"folvane save");
    const std::filesystem::path& dir = scratch.Path();
    { TFileStream existing((dir / L"list.cfg").wstring(), TFileMode::Create); }
    ShowForm();
    TSaveDialog save(nullptr);
    save.SetFilter(L"設定檔|*.cfg");
    save.SetDefaultExt(L"cfg");
    save.SetInitialDir(dir.wstring());
    ASSERT_TRUE(ExecuteTyping(save, L"new"));
    EXPECT_EQ(save.FileName(), (dir / L"new.cfg").wstring());
    ASSERT_TRUE(ExecuteTyping(save, L"list"));
    EXPECT_EQ(save.FileName(), (dir / L"list.cfg").wstring());
}

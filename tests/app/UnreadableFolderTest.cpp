#include "BothWalks.h"
#include "FormFixture.h"
#include "ListingShape.h"

#include "app/UnattendedRun.h"
#include "framework/Exceptions.h"
#include "framework/Text.h"

#include <mutex>

namespace {

// The platform's reader, except that the folders it is told of fail as a real one would: at once
// (access denied) or after giving their first entry (a device error while the reading goes on).
class TFailingReader : public TDirectoryReader {
public:
    std::wstring DeniedSuffix;
    std::wstring BrokenSuffix;

    DWORD Read(const std::wstring& directory, const TFound& found) const override
    {
        if (!DeniedSuffix.empty() && directory.ends_with(DeniedSuffix)) return ERROR_ACCESS_DENIED;
        if (!BrokenSuffix.empty() && directory.ends_with(BrokenSuffix)) {
            bool first = true;
            DWORD error = TDirectoryReader::Read(directory, [&](std::wstring_view name) {
                if (!first) return false;
                first = false;
                return found(name);
            });
            return error ? error : ERROR_NOT_READY;
        }
        return TDirectoryReader::Read(directory, found);
    }
};

// Locked\ (holding inner\) is denied, Broken\ (holding a\ and b\) breaks off after its first entry,
// Empty\ has nothing in it.
class UnreadableFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.Dir(L"Locked\\inner");
        tree.Dir(L"Broken\\a");
        tree.Dir(L"Broken\\b");
        tree.Dir(L"Empty");
        reader.DeniedSuffix = L"\\Locked\\";
        reader.BrokenSuffix = L"\\Broken\\";
        settings.Reader = &reader;
    }

    TTempTree tree{L"unreadable"};
    TFailingReader reader;
    TWalkSettings settings;
};

TEST_F(UnreadableFolders, AreReportedWithTheirPathAndErrorWhileTheTextStaysAsForAnEmptyFolder)
{
    TWalked walked = WalkBoth(tree.Root(), 2, settings);
    const std::string root = tree.RootAnsi();
    std::string brokenEntry = walked.Text.find(root + "Broken\\a") != std::string::npos ? "a" : "b";
    EXPECT_EQ(CanonicalListing(walked.Text, 2), ListingLine(0, root) + ListingLine(1, root + "Broken\\") +
                                                    ListingLine(2, root + "Broken\\" + brokenEntry) +
                                                    ListingLine(1, root + "Empty\\") +
                                                    ListingLine(1, root + "Locked\\"));

    // Empty\ is no failure; the order is the walk's, which follows the enumeration.
    std::vector<std::pair<std::wstring, std::wstring>> reported;
    for (const auto& folder : walked.Report.Unreadable) reported.push_back({folder.Path, folder.Error});
    std::sort(reported.begin(), reported.end());
    EXPECT_EQ(reported, (std::vector<std::pair<std::wstring, std::wstring>>{
                            {tree.Root() + L"Broken\\", SystemErrorText(ERROR_NOT_READY)},
                            {tree.Root() + L"Locked\\", SystemErrorText(ERROR_ACCESS_DENIED)}}));
}

// Runs over roots that do not exist: the window names the first few and copies all of them, the
// unattended run names each on standard error and ends with its own exit code.
class UnreadableRun : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        tree.Dir(L"Work\\alpha");
        out = tree.Dir(L"out") + L"\\";
        form->Edit2->SetText(out);
    }

    std::wstring Missing(int i) const { return tree.Root() + L"missing" + std::to_wstring(i) + L"\\"; }

    std::wstring out;
};

TEST_F(UnreadableRun, WindowNamesTheFirstFiveAndCopiesTheWholeList)
{
    AddRows({{tree.Root() + L"Work\\", L"1"}});
    for (int i = 0; i < 7; ++i) AddRows({{Missing(i), L"1"}});
    std::wstring copied;
    driver.Expect(kMessageCaption, [&](HWND dialog) {
        SetForegroundWindow(dialog);
        Sleep(100);
        INPUT keys[4] = {};
        for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
        keys[1].ki.wVk = keys[2].ki.wVk = 'C';
        keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, keys, sizeof(INPUT));
        for (int attempt = 0; attempt < 100 && copied.empty(); ++attempt) {
            Sleep(20);
            if (!OpenClipboard(nullptr)) continue;
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                copied = static_cast<const wchar_t*>(GlobalLock(data));
                GlobalUnlock(data);
            }
            CloseClipboard();
        }
        TModalDriver::Press(IDOK)(dialog);
    });
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    form->BitBtn5Click();
    ASSERT_TRUE(driver.WaitDone(5000));
    std::wstring message = driver.Texts().at(0);

    EXPECT_TRUE(message.starts_with(L"目錄列舉完畢\r\n\r\n有 7 個目錄無法讀取")) << WideToUtf8(message);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(message.find(Missing(i)) != std::wstring::npos, i < 5);
        EXPECT_NE(copied.find(Missing(i) + L" (" + SystemErrorText(ERROR_PATH_NOT_FOUND) + L")"), std::wstring::npos);
    }
    EXPECT_NE(message.find(L"另有 2 個"), std::wstring::npos);
    // The listing is written all the same.
    EXPECT_NE(FileBytes(out + L"folvane.txt").find(WideToAnsi(Missing(6))), std::string::npos);
}

TEST_F(UnreadableRun, UnattendedRunNamesEachFolderAndEndsWithCodeSeven)
{
    std::wstring config = tree.Root() + L"plan.cfg";
    SetFileBytes(config, "[DIR]\r\nDIR0=" + WideToAnsi(Missing(0)) + ";1\r\nDIR1=" + tree.RootAnsi() +
                             "Work\\;1\r\nDIR2=" + WideToAnsi(Missing(1)) + ";2\r\n[OUTPUT]\r\nOUTPUTDIR=" +
                             WideToAnsi(out) + "\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=list.txt\r\n");
    TUnattendedResult result = RunUnattended(config);
    EXPECT_EQ(result.ExitCode, ecFoldersUnreadable);
    const std::wstring error = L" (" + SystemErrorText(ERROR_PATH_NOT_FOUND) + L")";
    EXPECT_EQ(result.Message, L"無法讀取目錄: " + Missing(0) + error + L"\r\n無法讀取目錄: " + Missing(1) + error +
                                  L"\r\n已寫出目錄列表, 但有 2 個目錄無法讀取。");
    EXPECT_NE(FileBytes(out + L"list.txt"), "<missing>");

    // An empty folder is no failure.
    SetFileBytes(config, "[DIR]\r\nDIR0=" + tree.RootAnsi() +
                             "Work\\alpha\\;1\r\n[OUTPUT]\r\nOUTPUTDIR=" + WideToAnsi(out) + "\r\n");
    result = RunUnattended(config);
    EXPECT_EQ(result.ExitCode, ecSuccess);
    EXPECT_EQ(result.Message, L"");
}

} // namespace

#include "FormFixture.h"
#include "ListingShape.h"

#include "app/ListingFile.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Text.h"

#include <commctrl.h>

namespace {

SYSTEMTIME Now()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

SYSTEMTIME AddSeconds(const SYSTEMTIME& time, int seconds)
{
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER value{{file.dwLowDateTime, file.dwHighDateTime}};
    value.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000ull;
    file = {value.LowPart, value.HighPart};
    SYSTEMTIME result;
    FileTimeToSystemTime(&file, &result);
    return result;
}

// What a skinned control last drew: its buffer's pixels, repainted first.
std::vector<uint32_t> Look(TKsCustomControl* control)
{
    control->Invalidate();
    UpdateWindow(control->Handle());
    const TKsBitmap& bitmap = control->PaintBuffer().Bitmap();
    const uint32_t* bits = bitmap.Bits();
    return bits ? std::vector<uint32_t>(bits, bits + bitmap.Width() * bitmap.Height()) : std::vector<uint32_t>();
}

std::wstring DateName(const SYSTEMTIME& date)
{
    wchar_t name[32];
    swprintf(name, 32, L"%04u%02u%02u.txt", date.wYear, date.wMonth, date.wDay);
    return name;
}

// Rows over a tree whose listing does not depend on the enumeration order: Work\ at depth 1
// (alpha, Beta, a hidden Cache), Chain\ at depth 2 (one\two) and a root that does not exist.
class RunTest : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        tree.Dir(L"Work\\alpha");
        tree.Dir(L"Work\\Beta");
        tree.Dir(L"Work\\Cache", FILE_ATTRIBUTE_HIDDEN);
        tree.Dir(L"Chain\\one\\two");
        out = tree.Dir(L"out") + L"\\";
        form->Edit2->SetText(out);
        root = tree.RootAnsi();
    }

    void AddThreeRoots()
    {
        AddRows(
            {{tree.Root() + L"Work\\", L"1"}, {tree.Root() + L"Chain\\", L"2"}, {tree.Root() + L"missing\\", L"3"}});
    }

    std::string WorkLines() const
    {
        return ListingLine(0, root + "Work\\") + ListingLine(1, root + "Work\\alpha") +
               ListingLine(1, root + "Work\\Beta");
    }
    std::string ChainLines() const
    {
        return ListingLine(0, root + "Chain\\") + ListingLine(1, root + "Chain\\one\\") +
               ListingLine(2, root + "Chain\\one\\two");
    }
    std::string MissingLines() const { return ListingLine(0, root + "missing\\"); }

    // Runs with the message answered; returns the message's text ("" when none came).
    std::wstring RunAnsweringTheMessage()
    {
        driver.Expect(kMessageCaption, TModalDriver::Press(IDOK));
        started = Now();
        form->BitBtn5Click();
        return driver.WaitDone(3000) ? driver.Texts().at(0) : L"";
    }

    // Splits a listing file into its header line and the rest, checking that the header is the
    // one of a moment within a few seconds after the run started.
    std::string BodyAfterHeader(const std::string& bytes) const
    {
        size_t end = bytes.find("\r\n");
        if (end == std::string::npos) return "<no header line>";
        std::string header = bytes.substr(0, end + 2);
        bool known = false;
        for (int second = 0; second <= 5 && !known; ++second)
            known = header == ListingHeader(AddSeconds(started, second), leAnsi);
        if (!known) return "<unexpected header: " + header + ">";
        return bytes.substr(end + 2);
    }

    std::wstring out;
    std::string root;
    SYSTEMTIME started{};
};

TEST_F(RunTest, FixedNameFileHoldsHeaderEmptyLineEveryRootAndAFinalLineBreak)
{
    AddThreeRoots();
    EXPECT_TRUE(RunAnsweringTheMessage().starts_with(L"目錄列舉完畢"));
    std::string bytes = FileBytes(out + L"folvane.txt");
    EXPECT_EQ(BodyAfterHeader(bytes), WorkLines() + ChainLines() + MissingLines() + "\r\n");
    EXPECT_EQ(form->RunReport.Folders, 7u);
    EXPECT_EQ(form->ProgressBar1->Position(), 0);
    EXPECT_EQ(form->ProgressBar1->Min(), 1);
    EXPECT_EQ(form->ProgressBar1->Max(), 3);
}

TEST_F(RunTest, DateNameUsesTodayAndAnOutputFolderWithoutBackslashGetsOne)
{
    AddRows({{tree.Root() + L"Work\\", L"1"}});
    form->RadioButton2->SetChecked(true);
    form->Edit2->SetText(out.substr(0, out.size() - 1));
    EXPECT_EQ(RunAnsweringTheMessage(), L"目錄列舉完畢");
    EXPECT_EQ(BodyAfterHeader(FileBytes(out + DateName(Now()))), WorkLines() + "\r\n");
    EXPECT_FALSE(FileExists(out + L"folvane.txt"));
}

TEST_F(RunTest, EmptyListWritesTheHeaderAndOneEmptyLine)
{
    EXPECT_EQ(RunAnsweringTheMessage(), L"目錄列舉完畢");
    EXPECT_EQ(BodyAfterHeader(FileBytes(out + L"folvane.txt")), "\r\n");
}

TEST_F(RunTest, BlankBoxesFallBackToTheStartFolderOutputAndTheDateName)
{
    std::wstring fallback = tree.Dir(L"Output") + L"\\";
    ASSERT_EQ(form->StartDir, tree.Root());
    form->Edit2->SetText(L"   ");
    form->Edit3->SetText(L"  ");
    EXPECT_EQ(RunAnsweringTheMessage(), L"目錄列舉完畢");
    EXPECT_EQ(form->Edit2->Text(), fallback);
    EXPECT_TRUE(form->RadioButton2->Checked());
    EXPECT_FALSE(form->RadioButton1->Checked());
    EXPECT_TRUE(FileExists(fallback + DateName(Now())));
}

TEST_F(RunTest, MissingOutputFolderFailsWithInvalidFilenameAndNoMessage)
{
    AddRows({{tree.Root() + L"Work\\", L"1"}});
    form->Edit2->SetText(tree.Root() + L"nothere\\");
    driver.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    try {
        form->BitBtn5Click();
        ADD_FAILURE() << "no error raised";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), L"Invalid filename");
    }
    EXPECT_FALSE(driver.WaitDone(1500)) << "a message was shown";
    EXPECT_EQ(form->ProgressBar1->Position(), 0);
    EXPECT_FALSE(FileExists(tree.Root() + L"nothere"));
}

TEST_F(RunTest, UnwritableOutputFileFailsWithFileAccessDenied)
{
    tree.Dir(L"out\\folvane.txt");
    driver.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    try {
        form->BitBtn5Click();
        ADD_FAILURE() << "no error raised";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), L"File access denied");
    }
    EXPECT_FALSE(driver.WaitDone(1500)) << "a message was shown";
}

TEST_F(RunTest, InvalidDepthEndsTheRunBeforeAnyRootIsWalkedWithoutFile)
{
    for (const wchar_t* depth : {L"x", L""}) {
        form->ListView1->ClearRows();
        form->ProgressBar1->SetPosition(2);
        AddRows(
            {{tree.Root() + L"Work\\", L"1"}, {tree.Root() + L"Chain\\", depth}, {tree.Root() + L"missing\\", L"1"}});
        try {
            form->BitBtn5Click();
            ADD_FAILURE() << "no error raised";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), L"'" + std::wstring(depth) + L"' is not a valid integer value");
        }
        EXPECT_FALSE(FileExists(out + L"folvane.txt"));
        EXPECT_EQ(form->RunReport.Folders, 0u);
        EXPECT_EQ(form->ProgressBar1->Position(), 0);
        EXPECT_FALSE(form->RunInProgress());
    }
}

TEST_F(RunTest, StopClickedDuringTheFirstRootCancelsThereWithoutFile)
{
    AddThreeRoots();
    PostClick(form->BitBtn6);  // handled as soon as the walk of the first root lets input through
    EXPECT_EQ(RunAnsweringTheMessage(), L"取消列舉目錄");
    EXPECT_FALSE(FileExists(out + L"folvane.txt"));
    EXPECT_EQ(form->ProgressBar1->Position(), 0);
    EXPECT_LE(form->RunReport.Folders, 3u); // no more than the lines of the first root
    EXPECT_TRUE(form->StopRequested);
}

// The commands that would do nothing during a run look disabled then and ignore clicks, the stop
// button is disabled at all other times, the focus moves out of the way and back, and the caption
// counts the folders while the run goes on.
TEST_F(RunTest, CommandsLookDisabledDuringTheRunAndTheStopButtonOnlyThen)
{
    AddThreeRoots();
    const std::vector<TWinControl*> commands = {form->BitBtn1, form->BitBtn2, form->BitBtn3,
                                                form->BitBtn4, form->BitBtn5, form->ComboBox1};
    auto states = [&] {
        std::vector<bool> enabled;
        for (TWinControl* control : commands)
            enabled.push_back(control->Enabled() && IsWindowEnabled(control->Handle()));
        for (TSeSkinItem* item : {form->CFGL1, form->CFGS1, form->ENCA1, form->ENCU1, form->EXCL1})
            enabled.push_back(item->Enabled());
        enabled.push_back(form->BitBtn6->Enabled() && IsWindowEnabled(form->BitBtn6->Handle()));
        return enabled;
    };
    const std::vector<bool> idle{true, true, true, true, true, true, true, true, true, true, true, false};
    const std::vector<bool> running{false, false, false, false, false, false, false, false, false, false, false, true};
    EXPECT_EQ(states(), idle);
    SetForegroundWindow(form->Handle());
    form->BitBtn5->SetFocus();
    const std::wstring caption = form->Caption();
    const auto startLook = Look(form->BitBtn5), comboLook = Look(form->ComboBox1);

    std::vector<bool> during;
    std::wstring captionDuring;
    bool stopFocused = false;
    std::vector<uint32_t> startLookDuring, comboLookDuring;
    PostAction([&] {
        during = states();
        captionDuring = form->Caption();
        stopFocused = form->BitBtn6->Focused();
        startLookDuring = Look(form->BitBtn5);
        comboLookDuring = Look(form->ComboBox1);
        form->Edit1->SetText(tree.Root() + L"added\\");
        SendMessageW(form->BitBtn2->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(RunAnsweringTheMessage().starts_with(L"目錄列舉完畢"));

    EXPECT_EQ(during, running);
    EXPECT_TRUE(captionDuring.starts_with(caption + L" - 列舉中: ") && captionDuring.ends_with(L" 個目錄"))
        << WideToUtf8(captionDuring);
    EXPECT_TRUE(stopFocused);
    EXPECT_NE(startLookDuring, startLook);
    EXPECT_NE(comboLookDuring, comboLook);
    EXPECT_EQ(form->ListView1->RowCount(), 3); // the click on the disabled 新增目錄 did nothing

    EXPECT_EQ(states(), idle);
    EXPECT_EQ(form->Caption(), caption);
    EXPECT_TRUE(form->BitBtn5->Focused());
    EXPECT_EQ(Look(form->BitBtn5), startLook);
}

TEST_F(RunTest, StopClickedDuringTheOnlyRootCancelsIt)
{
    AddRows({{tree.Root() + L"Chain\\", L"2"}});
    PostClick(form->BitBtn6);
    EXPECT_EQ(RunAnsweringTheMessage(), L"取消列舉目錄");
    EXPECT_FALSE(FileExists(out + L"folvane.txt"));
    EXPECT_EQ(form->ProgressBar1->Position(), 0);
}

TEST_F(RunTest, OutputBoxesChangedDuringTheRunDoNotMoveTheFile)
{
    AddThreeRoots();
    PostAction([this] {
        form->Edit2->SetText(L"");
        form->Edit3->SetText(L"other.txt");
        form->RadioButton2->SetChecked(true);
    });
    EXPECT_TRUE(RunAnsweringTheMessage().starts_with(L"目錄列舉完畢"));
    EXPECT_EQ(form->Edit2->Text(), L"");  // the change itself went through
    EXPECT_EQ(BodyAfterHeader(FileBytes(out + L"folvane.txt")), WorkLines() + ChainLines() + MissingLines() + "\r\n");
    EXPECT_FALSE(FileExists(tree.Root() + L"other.txt"));
    EXPECT_FALSE(FileExists(tree.Root() + DateName(Now())));
}

TEST_F(RunTest, TrailingBlankOfTheOutputFolderIsNotPartOfThePath)
{
    AddRows({{tree.Root() + L"Work\\", L"1"}});
    form->Edit2->SetText(out + L" ");
    EXPECT_EQ(RunAnsweringTheMessage(), L"目錄列舉完畢");
    EXPECT_EQ(BodyAfterHeader(FileBytes(out + L"folvane.txt")), WorkLines() + "\r\n");
    EXPECT_EQ(form->Edit2->Text(), out + L" ");
}

TEST_F(RunTest, LoadedRowsWithAnEmptyPathGiveAnEmptyRootLineNotTheCurrentFolder)
{
    const std::wstring config = tree.Root() + L"empty-root.cfg";
    SetFileBytes(config, "[DIR]\r\nDIR0=;7\r\nDIR1=" + root + "Work\\;1\r\nDIR2=   ;2\r\n[OUTPUT]\r\nOUTPUTDIR=" +
                             WideToAnsi(out) + "\r\n");
    form->LoadConfigFile(config);
    ASSERT_EQ(form->ListView1->RowCount(), 3);
    ASSERT_EQ(form->ListView1->RowCaption(0), L"");
    // The current folder is the one holding Work\ and Chain\: listing it would add their lines.
    ASSERT_EQ(form->StartDir, tree.Root());
    EXPECT_TRUE(RunAnsweringTheMessage().starts_with(L"目錄列舉完畢"));
    EXPECT_EQ(BodyAfterHeader(FileBytes(out + L"folvane.txt")), ListingLine(0, "") + WorkLines() + ListingLine(0, "") + "\r\n");
    EXPECT_EQ(form->RunReport.Unreadable.size(), 2u);
}

TEST_F(RunTest, OtherCommandsAreIgnoredWhileTheRunLetsInputThrough)
{
    AddThreeRoots();
    form->Edit1->SetText(tree.Root() + L"added\\");
    form->ListView1->SetRowSelected(0, true);
    TModalDriver openDialog, saveDialog, folderDialog;
    openDialog.Expect(L"選擇檔案載入", TModalDriver::Press(IDCANCEL));
    saveDialog.Expect(L"選擇檔案儲存", TModalDriver::Press(IDCANCEL));
    folderDialog.Expect(L"Select Directory", TModalDriver::Press(IDCANCEL));
    for (TSeSkinButton* button : {form->BitBtn2, form->BitBtn3, form->BitBtn5, form->BitBtn1, form->BitBtn4})
        PostClick(button);
    for (TSeSkinItem* item : {form->CFGL1, form->CFGS1}) item->Click();
    PostMessageW(form->ListView1->Handle(), LVM_EDITLABELW, 0, 0);

    EXPECT_TRUE(RunAnsweringTheMessage().starts_with(L"目錄列舉完畢"));
    EXPECT_EQ(form->ListView1->RowCount(), 3);
    EXPECT_EQ(form->ListView1->RowCaption(0), tree.Root() + L"Work\\");
    EXPECT_EQ(ListView_GetEditControl(form->ListView1->Handle()), nullptr);
    EXPECT_FALSE(openDialog.WaitDone(500));
    EXPECT_FALSE(saveDialog.WaitDone(10));
    EXPECT_FALSE(folderDialog.WaitDone(10));
    EXPECT_EQ(BodyAfterHeader(FileBytes(out + L"folvane.txt")), WorkLines() + ChainLines() + MissingLines() + "\r\n");

    // The same input once the run is over does take effect.
    PostClick(form->BitBtn2);
    PostMessageW(form->ListView1->Handle(), LVM_EDITLABELW, 0, 0);
    Pump();
    EXPECT_EQ(form->ListView1->RowCount(), 4);
    EXPECT_NE(ListView_GetEditControl(form->ListView1->Handle()), nullptr);
}

TEST_F(RunTest, ClosingTheWindowDuringTheRunStopsItQuietlyAndThenCloses)
{
    AddThreeRoots();
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);  // handled during the first root
    driver.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    started = Now();
    form->BitBtn5Click();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));  // still open while the handler runs
    EXPECT_FALSE(driver.WaitDone(1500)) << "a message was shown";
    EXPECT_FALSE(FileExists(out + L"folvane.txt"));
    EXPECT_LE(form->RunReport.Folders, 3u);
    Pump();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

} // namespace

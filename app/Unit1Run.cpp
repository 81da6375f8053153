#include "app/Unit1.h"

#include "app/ListingRun.h"
#include "app/RunReportText.h"
#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Dialogs.h"
#include "framework/StdCtrls.h"
#include "framework/Text.h"

#include <utility>

namespace {

// Runs an action when the scope ends, on every path.
template <typename Action> class TScopeExit {
public:
    explicit TScopeExit(Action action) : action_(std::move(action)) {}
    ~TScopeExit() { action_(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    Action action_;
};

SYSTEMTIME LocalNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

// Keeps the thread's windows answering while the walk runs, so that the window paints, moves and
// takes the stop click at any moment; the walk ends as soon as the stop flag is set. The window's
// caption shows how many folders are listed so far, renewed at most ten times a second, and is
// given back as it was when the run ends.
class TRunWalkHost : public TWalkHost {
public:
    static constexpr ULONGLONG kCaptionIntervalMs = 100;

    TRunWalkHost(TForm1& form, const TListingRun& run) : form_(form), run_(run), caption_(form.Caption())
    {
        ShowProgress();
    }
    ~TRunWalkHost() override { form_.SetCaption(caption_); }
    TRunWalkHost(const TRunWalkHost&) = delete;
    TRunWalkHost& operator=(const TRunWalkHost&) = delete;

    void Idle() override
    {
        if (GetTickCount64() - shownAt_ >= kCaptionIntervalMs) ShowProgress();
        Application->ProcessMessages();
    }
    bool StopWanted() override { return form_.StopRequested; }

private:
    void ShowProgress()
    {
        form_.SetCaption(caption_ + L" - 列舉中: " + GroupedNumber(run_.Report().Folders) + L" 個目錄");
        shownAt_ = GetTickCount64();
    }

    TForm1& form_;
    const TListingRun& run_;
    const std::wstring caption_;
    ULONGLONG shownAt_ = 0;
};

} // namespace

bool TForm1::RunListing()
{
    StopRequested = false;
    RunReport = {};
    if (Trim(Edit2->Text()).empty()) Edit2->SetText(StartDir + L"Output\\");
    if (Trim(Edit3->Text()).empty()) RadioButton2->SetChecked(true);
    // Taken now, so that input let through during the run cannot send the file elsewhere.
    const TListingOutput output{Edit2->Text(), RadioButton1->Checked(), Edit3->Text(), OutputEncoding};
    const SYSTEMTIME started = LocalNow();

    // A depth that is no integer ends the run before the first root is walked.
    const int rows = ListView1->RowCount();
    std::vector<TListingRoot> roots;
    roots.reserve(rows);
    for (int row = 0; row < rows; ++row)
        roots.push_back({ListView1->RowCaption(row), StrToInt(ListView1->RowSubItem(row))});

    ProgressBar1->SetMin(1);
    ProgressBar1->SetMax(rows);
    TListingRun run(output, ExcludePatterns, started);
    TScopeExit keepReport([&] { RunReport = run.Report(); });
    TRunWalkHost host(*this, run);
    for (const TListingRoot& root : roots) {
        if (StopRequested) return false;
        if (!run.Walk(root, host)) return false;
        // Moving the bar lets pending input through as well.
        ProgressBar1->SetPosition(ProgressBar1->Position() + 1);
    }
    if (StopRequested) return false;
    run.Complete();
    return true;
}

// While a run lets input through, the window's other commands look disabled and do nothing
// (RunInProgress() guards them as well), in-place editing of the rows is refused, and a request to
// close the window stops the run; the window then closes once the run has ended. However the run
// ends, the progress bar goes back to 0: after the closing message when it completed or was stopped,
// at once when it failed.
void TForm1::BitBtn5Click()
{
    if (runInProgress_) return;
    TScopeExit emptyProgress([this] { ProgressBar1->SetPosition(0); });
    bool completed = false;
    {
        runInProgress_ = true;
        closeRequestedDuringRun_ = false;
        auto previousCloseQuery = std::exchange(OnCloseQuery, [this] {
            closeRequestedDuringRun_ = true;
            StopRequested = true;
            return false;
        });
        auto previousEditing = std::exchange(ListView1->OnEditing, [] { return false; });
        EnableCommandsForRun(true);
        TScopeExit restore([&] {
            EnableCommandsForRun(false);
            OnCloseQuery = std::move(previousCloseQuery);
            ListView1->OnEditing = std::move(previousEditing);
            runInProgress_ = false;
            if (closeRequestedDuringRun_ && HandleAllocated()) PostMessageW(Handle(), WM_CLOSE, 0, 0);
        });
        completed = RunListing();
    }
    // A run stopped because the window is closing ends without a word.
    if (!closeRequestedDuringRun_) ShowRunOutcome(completed);
}

void TForm1::ShowRunOutcome(bool completed)
{
    if (!completed)
        SeSkinMessage1->ShowMessage(L"取消列舉目錄");
    else if (RunReport.Unreadable.empty())
        SeSkinMessage1->ShowMessage(CompletionMessage(RunReport, OutputEncoding));
    else
        SeSkinMessage1->ShowMessageWithDetails(CompletionMessage(RunReport, OutputEncoding),
                                               UnreadableFolderList(RunReport));
}

void TForm1::EnableCommandsForRun(bool running)
{
    const std::initializer_list<TWinControl*> commands = {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, ComboBox1};
    const std::initializer_list<TSeSkinItem*> menuCommands = {CFGL1, CFGS1, ENCA1, ENCU1, EXCL1};
    HWND focus = GetFocus();
    const bool focusInWindow = focus && HandleAllocated() && (focus == Handle() || IsChild(Handle(), focus));
    auto moveFocusTo = [&](TWinControl* control) {
        SetActiveControl(control);
        if (focusInWindow && control->CanFocus()) control->SetFocus();
    };

    if (running) {
        BitBtn6->SetEnabled(true);
        focusBeforeRun_ = ActiveControl();
        for (TWinControl* control : commands)
            if (control == ActiveControl() || control->Focused()) {
                moveFocusTo(BitBtn6);
                break;
            }
    }
    for (TWinControl* control : commands) control->SetEnabled(!running);
    for (TSeSkinItem* item : menuCommands) item->SetEnabled(!running);
    if (!running) {
        if (ActiveControl() == BitBtn6 || BitBtn6->Focused())
            moveFocusTo(focusBeforeRun_ && focusBeforeRun_->CanFocus() ? focusBeforeRun_ : BitBtn5);
        BitBtn6->SetEnabled(false);
    }
}

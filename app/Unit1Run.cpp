#include "app/Unit1.h"

#include "app/ListingFile.h"
#include "app/TreePrefetcher.h"
#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Dialogs.h"
#include "framework/StdCtrls.h"
#include "framework/Text.h"

#include <utility>

namespace {

// Runs an action when the scope ends, on every path.
template <typename Action>
class TScopeExit {
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
// takes the stop click at any moment; the walk ends as soon as the stop flag is set.
class TRunWalkHost : public TWalkHost {
public:
    explicit TRunWalkHost(const bool& stopRequested) : stopRequested_(stopRequested) {}

    void Idle() override { Application->ProcessMessages(); }
    bool StopWanted() override { return stopRequested_; }

private:
    const bool& stopRequested_;
};

} // namespace

bool TForm1::RunListing()
{
    StopRequested = false;
    ListingText.clear();
    if (Trim(Edit2->Text()).empty()) Edit2->SetText(StartDir + L"Output\\");
    if (Trim(Edit3->Text()).empty()) RadioButton2->SetChecked(true);
    // Taken now, so that input let through during the run cannot send the file elsewhere.
    const std::wstring outputDir = Edit2->Text();
    const bool fixedName = RadioButton1->Checked();
    const std::wstring outputFile = Edit3->Text();
    ListingText += ListingHeader(LocalNow());

    const int rows = ListView1->RowCount();
    ProgressBar1->SetMin(1);
    ProgressBar1->SetMax(rows);
    TTreePrefetcher walk;
    TRunWalkHost host(StopRequested);
    for (int row = 0; row < rows; ++row) {
        if (StopRequested) return false;
        int depth = StrToInt(ListView1->RowSubItem(row));
        if (!walk.ListTree(ListingText, ListView1->RowCaption(row), 1, depth, host)) return false;
        // Moving the bar lets pending input through as well.
        ProgressBar1->SetPosition(ProgressBar1->Position() + 1);
    }
    if (StopRequested) return false;

    WriteListingFile(ListingFileName(outputDir, fixedName, outputFile, LocalNow()), ListingText);
    return true;
}

// While a run lets input through, the window's other commands see RunInProgress() and do
// nothing, in-place editing of the rows is refused, and a request to close the window stops the
// run; the window then closes once the run has ended.
void TForm1::BitBtn5Click()
{
    if (runInProgress_) return;
    runInProgress_ = true;
    closeRequestedDuringRun_ = false;
    auto previousCloseQuery = std::exchange(OnCloseQuery, [this] {
        closeRequestedDuringRun_ = true;
        StopRequested = true;
        return false;
    });
    auto previousEditing = std::exchange(ListView1->OnEditing, [] { return false; });
    TScopeExit restore([&] {
        OnCloseQuery = std::move(previousCloseQuery);
        ListView1->OnEditing = std::move(previousEditing);
        runInProgress_ = false;
        if (closeRequestedDuringRun_ && HandleAllocated()) PostMessageW(Handle(), WM_CLOSE, 0, 0);
    });
    bool completed = RunListing();
    // A run stopped because the window is closing ends without a word.
    if (!closeRequestedDuringRun_) SeSkinMessage1->ShowMessage(completed ? L"目錄列舉完畢" : L"取消列舉目錄");
    ProgressBar1->SetPosition(0);
}

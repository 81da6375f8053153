#include "app/Unit1.h"

#include "app/ListTree.h"
#include "app/ListingFile.h"
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

// The run itself: header, every row through the tree walk, then the file. The stop flag is
// tested before each row; a run stopped because the window is closing ends without a word.
void RunListing(TForm1& form, const bool& closing)
{
    form.StopRequested = false;
    form.ListingText.clear();
    if (Trim(form.Edit2->Text()).empty()) form.Edit2->SetText(form.StartDir + L"Output\\");
    if (Trim(form.Edit3->Text()).empty()) form.RadioButton2->SetChecked(true);
    form.ListingText += ListingHeader(LocalNow());

    const int rows = form.ListView1->RowCount();
    form.ProgressBar1->SetMin(1);
    form.ProgressBar1->SetMax(rows);
    for (int row = 0; row < rows; ++row) {
        if (form.StopRequested) {
            if (!closing) form.SeSkinMessage1->ShowMessage(L"取消列舉目錄");
            form.ProgressBar1->SetPosition(0);
            return;
        }
        int depth = StrToInt(form.ListView1->RowSubItem(row));
        ListTree(form.ListingText, form.ListView1->RowCaption(row), 1, depth);
        // Moving the bar lets pending input through: a stop click takes effect here.
        form.ProgressBar1->SetPosition(form.ProgressBar1->Position() + 1);
    }
    if (closing) {
        form.ProgressBar1->SetPosition(0);
        return;
    }

    WriteListingFile(ListingFileName(form.Edit2->Text(), form.RadioButton1->Checked(), form.Edit3->Text(), LocalNow()),
                     form.ListingText);
    form.SeSkinMessage1->ShowMessage(L"目錄列舉完畢");
    form.ProgressBar1->SetPosition(0);
}

} // namespace

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
    RunListing(*this, closeRequestedDuringRun_);
}

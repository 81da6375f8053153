#include "skinctl/KsComboBoxs.h"

#include "framework/Text.h"
#include "skinctl/KsComboPlacement.h"
#include "skinwin/KsForms.h"

#include <algorithm>

TKsComboWindow::TKsComboWindow(TKsCustomComboBox* combo) : TCustomForm(combo), combo_(combo)
{
    SetBorderStyle(fbsNone);
    // The combo box places and sizes the window in its own pixels.
    SetBuiltDpi(combo->Dpi());
}

void TKsComboWindow::CreateParams(TCreateParams& params)
{
    TCustomForm::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    // Owned by the combo box's form: always above it, and never a window of its own on the task bar.
    if (TCustomForm* form = GetParentForm(combo_)) params.WndParent = form->Handle();
    // The screen under the window is kept and put back when it closes, instead of repainted.
    params.ClassStyle |= CS_SAVEBITS;
    params.ClassName = L"Folvane.ComboWindow";
    params.Cursor = LoadCursorW(nullptr, IDC_ARROW);
}

void TKsComboWindow::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEACTIVATE:
        message.Result = MA_ACTIVATE;
        return;
    case WM_ACTIVATE:
        if (LOWORD(message.WParam) == WA_INACTIVE) {
            // A click anywhere else takes the activation away: the list closes without a choice.
            combo_->PostCloseUp(false);
        } else if (TCustomForm* form = GetParentForm(combo_); form && form->HandleAllocated()) {
            // The combo box's form keeps its caption drawn active while its list is open.
            SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
        }
        break;
    default:
        break;
    }
    TCustomForm::WndProc(message);
}

// ---- dropping down and closing up ----

int TKsCustomComboBox::CurrentItem() const
{
    if (itemIndex_ >= 0 || comboStyle_ != kcsDropDown) return itemIndex_;
    // An editable box whose text is one of the items stands at that item.
    std::wstring text = Text();
    for (int i = 0; i < Items().Count(); ++i)
        if (SameTextAscii(Items().Strings(i), text)) return i;
    return -1;
}

int TKsCustomComboBox::DropDownStartIndex() const
{
    int current = CurrentItem();
    if (current >= 0) return current;
    return Items().Count() > 0 ? 0 : -1;
}

void TKsCustomComboBox::HighlightStartItem()
{
    // The list's own index goes to the highlighted item too, so that the keys and Enter start there.
    int start = DropDownStartIndex();
    for (int i = 0; i < Items().Count(); ++i) listBox_->SetSelected(i, false);
    if (start < 0) return;
    listBox_->SetItemIndex(start);
    int first = 0;
    int last = 0;
    listBox_->VisibleRange(first, last);
    if (start < first || start > last) listBox_->SetTopIndex(start);
}

void TKsCustomComboBox::PlaceDropDownWindow()
{
    // The list takes the rows' height, so all DropDownCount rows (fewer when there are fewer items)
    // fit inside its frame without a scroll bar.
    listBox_->SetItemHeight(std::max(itemHeight_, 1));
    int rows = std::clamp(Items().Count(), 1, std::max(dropDownCount_, 1));
    int frame = listBox_->Height() - listBox_->ItemArea().Height();
    int height = rows * std::max(itemHeight_, 1) + frame;
    TPoint origin = ClientToScreen({0, 0});
    TRect combo = TRect::FromSize(origin.X, origin.Y, Width(), Height());
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& display = monitor.rcMonitor;
    dropDownWindow_->SetBoundsRect(
        DropDownRect(combo, height, {display.left, display.top, display.right, display.bottom}));
}

void TKsCustomComboBox::OpenDropDownWindow()
{
    if (dropDownWindow_) {
        CloseDropDownWindow(false);
        // The window frees its children: the list leaves it first.
        if (listBox_->Parent()) CloseUp();
        delete dropDownWindow_;
        dropDownWindow_ = nullptr;
    }
    closePending_ = false;
    chooseOnClose_ = false;
    dropDownWindow_ = new TKsComboWindow(this);
    PlaceDropDownWindow();

    listBox_->SetColor(Color());

    // The owner's skinned frame would repaint itself inactive and active again while the window
    // takes the activation; it waits until the list is shown.
    TKsCustomForm* frame = nullptr;
    if (TCustomForm* form = GetParentForm(this); form && form->HandleAllocated())
        frame = dynamic_cast<TKsCustomForm*>(
            reinterpret_cast<TSeFormFrame*>(SendMessageW(form->Handle(), CM_GETSKINFORM, 0, 0)));
    if (frame) frame->SuspendPainting();
    try {
        dropDownWindow_->Show();
        DropDown();
        HighlightStartItem();
        if (listBox_->CanFocus()) listBox_->SetFocus();
        listBox_->Invalidate();
    } catch (...) {
        if (frame) frame->ResumePainting();
        throw;
    }
    if (frame) frame->ResumePainting();
}

void TKsCustomComboBox::DropDown()
{
    if (!listBox_->Visible()) {
        listBox_->SetParent(dropDownWindow_);
        listBox_->SetAlign(alClient);
        listBox_->SetFont(Font());
        listBox_->SetVisible(true);
    }
    if (OnDropDown) OnDropDown();
}

void TKsCustomComboBox::CloseUp()
{
    if (listBox_->Visible() || listBox_->Parent()) {
        listBox_->SetVisible(false);
        listBox_->SetAlign(alNone);
        listBox_->SetParent(nullptr);
        if (comboStyle_ == kcsDropDownList && OnChange) OnChange();
        Invalidate();
        if (Enabled() && CanFocus()) SetFocus();
    }
    if (OnCloseUp) OnCloseUp();
}

void TKsCustomComboBox::CloseDropDownWindow(bool choose)
{
    closePending_ = false;
    chooseOnClose_ = false;
    // A window closed some other way (Alt+F4) still holds the list until this runs.
    if (closing_ || (!DroppedDown() && !listBox_->Parent())) return;
    closing_ = true;
    try {
        if (choose && listBox_->ItemIndex() >= 0) SetItemIndex(listBox_->ItemIndex());
        CloseUp();
        dropDownWindow_->Hide();
    } catch (...) {
        closing_ = false;
        buttonPressed_ = false;
        throw;
    }
    closing_ = false;
    buttonPressed_ = false;
    Invalidate();
}

void TKsCustomComboBox::PostCloseUp(bool choose)
{
    // The list's own message is still running: the list leaves the window once it is done.
    if (closing_ || !listBox_->Parent() || !HandleAllocated()) return;
    chooseOnClose_ = chooseOnClose_ || choose;
    if (closePending_) return;
    closePending_ = true;
    PostMessageW(Handle(), CM_CLOSEUP, 0, 0);
}

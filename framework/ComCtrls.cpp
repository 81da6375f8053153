#include "framework/ComCtrls.h"

#include "framework/Exceptions.h"

namespace {

void CheckIndex(int index, int count)
{
    if (index < 0 || index >= count)
        throw EInvalidOperation(FormatMessageText(L"List index out of bounds (%s)", {std::to_wstring(index)}));
}

int PlatformAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return LVCFMT_RIGHT;
    case taCenterJustify:
        return LVCFMT_CENTER;
    case taLeftJustify:
        break;
    }
    return LVCFMT_LEFT;
}

// Holds back a shown window's drawing while it lives, then asks for one repaint of all of it. A
// hidden window is left alone: switching its drawing back on would also show it.
class TRedrawHold {
public:
    explicit TRedrawHold(HWND window) : window_(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE ? window : nullptr)
    {
        if (window_) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~TRedrawHold()
    {
        if (!window_) return;
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    TRedrawHold(const TRedrawHold&) = delete;
    TRedrawHold& operator=(const TRedrawHold&) = delete;

private:
    HWND window_;
};

} // namespace

// ---- TListView ----

TListView::TListView(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
}

void TListView::AddColumn(const TListColumn& column)
{
    columns_.push_back(column);
    if (HandleAllocated()) InsertColumnIntoWindow(ColumnCount() - 1);
}

int TListView::ColumnWidth(int index) const
{
    CheckIndex(index, ColumnCount());
    if (!HandleAllocated()) return columns_[index].Width;
    return static_cast<int>(SendMessageW(const_cast<TListView*>(this)->Handle(), LVM_GETCOLUMNWIDTH, index, 0));
}

const TListColumn& TListView::Column(int index) const
{
    CheckIndex(index, ColumnCount());
    return columns_[index];
}

std::wstring TListView::RowCaption(int index) const
{
    CheckIndex(index, RowCount());
    return rows_[index].Caption;
}

std::wstring TListView::RowSubItem(int index) const
{
    CheckIndex(index, RowCount());
    return rows_[index].SubItem;
}

void TListView::SetRowCaption(int index, const std::wstring& caption)
{
    CheckIndex(index, RowCount());
    rows_[index].Caption = caption;
    if (!HandleAllocated()) return;
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = const_cast<wchar_t*>(rows_[index].Caption.c_str());
    SendMessageW(Handle(), LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
}

void TListView::AddRow(const std::wstring& caption, const std::wstring& subItem)
{
    rows_.push_back({caption, subItem, false});
    if (HandleAllocated()) InsertRowIntoWindow(RowCount() - 1);
}

bool TListView::RowSelected(int index) const
{
    CheckIndex(index, RowCount());
    if (!HandleAllocated()) return rows_[index].Selected;
    HWND window = const_cast<TListView*>(this)->Handle();
    return (SendMessageW(window, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListView::SetRowSelected(int index, bool selected)
{
    CheckIndex(index, RowCount());
    rows_[index].Selected = selected;
    if (!HandleAllocated()) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageW(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

void TListView::DeleteRow(int index)
{
    CheckIndex(index, RowCount());
    rows_.erase(rows_.begin() + index);
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), LVM_DELETEITEM, index, 0);
    // A deletion near the end of a scrolled list moves the rows down to fill the room, and the
    // platform's list view does not always repaint what moved: the whole list is drawn again.
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TListView::ClearRows()
{
    rows_.clear();
    if (HandleAllocated()) SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

void TListView::ReplaceRows(const std::vector<TListRow>& rows)
{
    rows_.clear();
    rows_.reserve(rows.size());
    for (const TListRow& row : rows) rows_.push_back({row.Caption, row.SubItem, false});
    if (HandleAllocated()) RefillWindowRows();
}

void TListView::SetGridLines(bool gridLines)
{
    if (gridLines_ == gridLines) return;
    gridLines_ = gridLines;
    if (HandleAllocated())
        SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, gridLines ? LVS_EX_GRIDLINES : 0);
}

void TListView::SetReadOnly(bool readOnly)
{
    if (readOnly_ == readOnly) return;
    readOnly_ = readOnly;
    RecreateWnd();
}

void TListView::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.StandardClass = WC_LISTVIEWW;
    params.ClassName = L"Folvane.ListView";
    params.Style |= LVS_REPORT | LVS_SINGLESEL;
    if (!readOnly_) params.Style |= LVS_EDITLABELS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWindowState()
{
    if (gridLines_) SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    for (int i = 0; i < ColumnCount(); ++i) InsertColumnIntoWindow(i);
    RefillWindowRows();
}

void TListView::SaveWindowState()
{
    TWinControl::SaveWindowState();
    for (int i = 0; i < ColumnCount(); ++i) columns_[i].Width = ColumnWidth(i);
    for (int i = 0; i < RowCount(); ++i) rows_[i].Selected = RowSelected(i);
}

void TListView::ChangeScale(int fromDpi, int toDpi)
{
    TWinControl::ChangeScale(fromDpi, toDpi);
    for (int i = 0; i < ColumnCount(); ++i) {
        TListColumn& column = columns_[i];
        column.Width = RescaleDpi(ColumnWidth(i), fromDpi, toDpi);
        column.MinWidth = RescaleDpi(column.MinWidth, fromDpi, toDpi);
        if (HandleAllocated()) SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, i, std::max(column.Width, column.MinWidth));
    }
}

void TListView::InsertColumnIntoWindow(int index)
{
    const TListColumn& column = columns_[index];
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    lvc.fmt = PlatformAlignment(column.Alignment);
    lvc.cx = std::max(column.Width, column.MinWidth);
    lvc.pszText = const_cast<wchar_t*>(column.Caption.c_str());
    lvc.iSubItem = index;
    SendMessageW(Handle(), LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&lvc));
}

void TListView::InsertRowIntoWindow(int index)
{
    TRow& row = rows_[index];
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(row.Caption.c_str());
    item.stateMask = LVIS_SELECTED;
    item.state = row.Selected ? LVIS_SELECTED : 0;
    // Handed to the window procedure directly: for a long list the platform's dispatch of every sent
    // message adds a tenth to the time.
    int inserted = static_cast<int>(Perform(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0) RaiseLastOSError();
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<wchar_t*>(row.SubItem.c_str());
    Perform(LVM_SETITEMTEXTW, inserted, reinterpret_cast<LPARAM>(&sub));
}

// Repainting after each row would make a long list take minutes: the rows go in with the drawing
// held back, and the window is told the final count first, so that it can make room at once.
void TListView::RefillWindowRows()
{
    TRedrawHold hold(Handle());
    SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(Handle(), LVM_SETITEMCOUNT, RowCount(), 0);
    for (int i = 0; i < RowCount(); ++i) InsertRowIntoWindow(i);
}

bool TListView::ColumnTooNarrow(const NMHEADERW& header) const
{
    if (!header.pitem || !(header.pitem->mask & HDI_WIDTH)) return false;
    if (header.iItem < 0 || header.iItem >= ColumnCount()) return false;
    return header.pitem->cxy < columns_[header.iItem].MinWidth;
}

void TListView::HandleNotify(TMessage& message)
{
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    switch (header->code) {
    case LVN_DELETEALLITEMS:
        // Nothing listens for single deletions: no notification for each row of a cleared list.
        message.Result = TRUE;
        return;
    case LVN_BEGINLABELEDITW:
        message.Result = readOnly_ || (OnEditing && !OnEditing());
        return;
    case LVN_ENDLABELEDITW: {
        const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(message.LParam);
        // A null text means the edit was cancelled; any given text is taken as it is.
        if (info->item.pszText && info->item.iItem >= 0 && info->item.iItem < RowCount()) {
            rows_[info->item.iItem].Caption = info->item.pszText;
            message.Result = TRUE;
        }
        return;
    }
    default:
        return;
    }
}

void TListView::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_NOTIFY:
        HandleNotify(message);
        return;
    case WM_NOTIFY: {
        // The column header tells its list view before a width changes; narrower than the minimum is refused.
        const auto* header = reinterpret_cast<const NMHEADERW*>(message.LParam);
        UINT code = header->hdr.code;
        bool changing =
            code == HDN_ITEMCHANGINGW || code == HDN_ITEMCHANGINGA || code == HDN_TRACKW || code == HDN_TRACKA;
        if (changing && ColumnTooNarrow(*header)) {
            message.Result = TRUE;
            return;
        }
        break;
    }
    case WM_SYSCOLORCHANGE:
        // The list keeps the background it was made with: it takes the colour's new value, as in a
        // high-contrast scheme.
        DefaultHandler(message);
        SendMessageW(Handle(), LVM_SETBKCOLOR, 0, ColorToRGB(Color()));
        SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, ColorToRGB(Color()));
        InvalidateRect(Handle(), nullptr, TRUE);
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

#pragma once

#include "framework/Controls.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

// One row of a list view: its caption and its first sub-item.
struct TListRow {
    std::wstring Caption;
    std::wstring SubItem;
};

// One column of a report-style list view.
struct TListColumn {
    std::wstring Caption;
    int Width = 50;
    int MinWidth = 0;
    TAlignment Alignment = taLeftJustify;
};

// A report-style list view with grid lines, single selection, unsorted rows and in-place editing of
// a row's caption. The rows live in the control and are copied into every window it makes.
class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);

    void AddColumn(const TListColumn& column);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const TListColumn& Column(int index) const;
    // The width the column has on the screen now.
    int ColumnWidth(int index) const;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    std::wstring RowCaption(int index) const;
    void SetRowCaption(int index, const std::wstring& caption);
    // The first sub-item (second column) of the row.
    std::wstring RowSubItem(int index) const;
    void AddRow(const std::wstring& caption, const std::wstring& subItem);
    bool RowSelected(int index) const;
    void SetRowSelected(int index, bool selected);
    void DeleteRow(int index);
    void ClearRows();
    // Deletes every row and appends the given ones in order, with the window's drawing held back
    // until the last row is in: a list of thousands of rows is then one repaint, not thousands.
    void ReplaceRows(const std::vector<TListRow>& rows);

    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool gridLines);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    // Asked before an in-place edit of a caption starts; false refuses it.
    std::function<bool()> OnEditing;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowState() override;
    void SaveWindowState() override;
    void WndProc(TMessage& message) override;
    void ChangeScale(int fromDpi, int toDpi) override;

private:
    struct TRow {
        std::wstring Caption;
        std::wstring SubItem;
        bool Selected = false;
    };

    void InsertColumnIntoWindow(int index);
    void InsertRowIntoWindow(int index);
    void RefillWindowRows();
    void HandleNotify(TMessage& message);
    bool ColumnTooNarrow(const NMHEADERW& header) const;

    std::vector<TListColumn> columns_;
    std::vector<TRow> rows_;
    bool gridLines_ = true;
    bool readOnly_ = false;
};

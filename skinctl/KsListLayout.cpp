#include "skinctl/KsListLayout.h"

#include <algorithm>

int TKsListLayoutInput::HeightOf(int index, int columnWidth) const
{
    return std::max(ItemHeight ? ItemHeight(index, columnWidth) : 0, 1);
}

int TKsListLayoutInput::ColumnWidth(bool barShown) const
{
    int width = Content.Width();
    if (Columns > 0)
        width /= Columns;
    else if (barShown || AlwaysShowBar)
        width -= BarThickness;
    return width - CheckCellWidth;
}

TKsListLayout TKsListLayout::Compute(const TKsListLayoutInput& input)
{
    TKsListLayout layout;
    const TRect& content = input.Content;
    if (input.Columns > 0) {
        layout.Horizontal = true;
        layout.ColumnWidth = input.ColumnWidth(false);
        layout.BarRect = TRect(content.Left, content.Bottom - input.BarThickness, content.Right, content.Bottom);
        layout.FlowColumns(input, content.Height() - (input.AlwaysShowBar ? input.BarThickness : 0));
        if (!input.AlwaysShowBar && static_cast<int>(layout.ColumnStarts.size()) - 1 > input.Columns)
            layout.FlowColumns(input, content.Height() - input.BarThickness);
        layout.Max = std::max(static_cast<int>(layout.ColumnStarts.size()) - 2, 0);
        layout.PageSize = input.Columns;
    } else {
        layout.BarRect = TRect(content.Right - input.BarThickness, content.Top, content.Right, content.Bottom);
        if (input.VariableHeights) {
            // The smallest top index from which the items to the end fill the list: first with the
            // full width, and once they overflow again with the bar beside them.
            int used = 0;
            int width = input.ColumnWidth(false);
            int index = input.Count - 1;
            for (; index >= 0; --index) {
                used += input.HeightOf(index, width);
                if (used > content.Height()) break;
            }
            if (index >= 0) {
                width = input.ColumnWidth(true);
                used = 0;
                int first = input.Count;
                for (int i = input.Count - 1; i >= 0; --i) {
                    used += input.HeightOf(i, width);
                    if (used > content.Height()) break;
                    first = i;
                }
                layout.Max = std::min(first, input.Count - 1);
            }
        } else {
            layout.Max = std::max(input.Count - 1, 0);
            if (input.Count > 0) layout.PageSize = content.Height() / input.HeightOf(0, input.ColumnWidth(false));
        }
    }
    layout.PageSize = std::clamp(layout.PageSize, 0, layout.Max + 1);
    bool scrolls = layout.PageSize < layout.Max + 1 && layout.Max != 0;
    layout.BarVisible = input.AlwaysShowBar || scrolls;
    layout.BarEnabled = scrolls;
    if (!layout.Horizontal) layout.ColumnWidth = input.ColumnWidth(layout.BarVisible);
    return layout;
}

void TKsListLayout::FlowColumns(const TKsListLayoutInput& input, int height)
{
    ColumnStarts.assign(1, 0);
    int used = 0;
    for (int i = 0; i < input.Count; ++i) {
        int itemHeight = input.HeightOf(i, ColumnWidth);
        if (used > 0 && used + itemHeight > height) {
            ColumnStarts.push_back(i);
            used = 0;
        }
        used += itemHeight;
    }
    ColumnStarts.push_back(input.Count);
}

int TKsListLayout::TopLimit() const
{
    return PageSize != 0 ? std::max(Max - PageSize + 1, 0) : Max;
}

void TKsListLayout::ForEachShown(const TKsListLayoutInput& input, int top,
                                 const std::function<bool(const TKsItemPlace&)>& visit) const
{
    const TRect& content = input.Content;
    int cell = input.CheckCellWidth;
    auto place = [&](int index, int x, int y, int height) {
        TKsItemPlace item;
        item.Index = index;
        item.CheckCell = TRect(x, y, x + cell, y + height);
        item.Item = TRect(x + cell, y, x + cell + ColumnWidth, y + height);
        return visit(item);
    };
    top = std::max(top, 0);
    if (!Horizontal) {
        int y = content.Top;
        for (int i = top; i < input.Count; ++i) {
            int height = input.HeightOf(i, ColumnWidth);
            if (y + height > content.Bottom) return;
            if (!place(i, content.Left, y, height)) return;
            y += height;
        }
        return;
    }
    int columns = static_cast<int>(ColumnStarts.size()) - 1;
    for (int j = top; j < std::min(top + input.Columns, columns); ++j) {
        int x = content.Left + (ColumnWidth + cell) * (j - top);
        int y = content.Top;
        for (int i = ColumnStarts[j]; i < ColumnStarts[j + 1]; ++i) {
            int height = input.HeightOf(i, ColumnWidth);
            if (!place(i, x, y, height)) return;
            y += height;
        }
    }
}

void TKsListLayout::VisibleRange(const TKsListLayoutInput& input, int top, int& first, int& last) const
{
    first = -1;
    last = -1;
    ForEachShown(input, top, [&](const TKsItemPlace& item) {
        if (first < 0) first = item.Index;
        last = item.Index;
        return true;
    });
    if (first < 0) {
        first = Horizontal && top >= 0 && top + 1 < static_cast<int>(ColumnStarts.size()) ? ColumnStarts[top] : top;
        last = first - 1;
    }
}

int TKsListLayout::ColumnOf(int index) const
{
    auto after = std::upper_bound(ColumnStarts.begin(), ColumnStarts.end(), index);
    return std::max(static_cast<int>(after - ColumnStarts.begin()) - 1, 0);
}

int TKsListLayout::TopToShow(const TKsListLayoutInput& input, int top, int index) const
{
    int limit = TopLimit();
    if (Horizontal) {
        int column = ColumnOf(index);
        if (column < top) return column;
        if (column >= top + input.Columns) return std::min(column - input.Columns + 1, limit);
        return top;
    }
    if (index < top) return index;
    if (!input.VariableHeights) {
        int shown = std::max(input.Content.Height() / input.HeightOf(0, ColumnWidth), 1);
        return index < top + shown ? top : std::min(index - shown + 1, std::max(limit, top));
    }
    for (;; ++top) {
        int first = 0;
        int last = 0;
        VisibleRange(input, top, first, last);
        if (index <= last || top >= index || top >= limit) return top;
    }
}

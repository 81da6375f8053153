#pragma once

#include "framework/Types.h"

#include <functional>
#include <vector>

// The height of item index when its text has columnWidth pixels (word wrap makes it depend on it).
using TKsItemHeightFunction = std::function<int(int index, int columnWidth)>;

// What a list box's item layout depends on.
struct TKsListLayoutInput {
    TRect Content;
    int Count = 0;
    // 0: one column scrolled vertically; more: items flow into columns scrolled horizontally.
    int Columns = 0;
    bool AlwaysShowBar = false;
    // Items may differ in height (owner-measured or wrapped), so no page size can be given.
    bool VariableHeights = false;
    int BarThickness = 0;
    // The check-box cell before each item; 0 without check boxes.
    int CheckCellWidth = 0;
    TKsItemHeightFunction ItemHeight;

    // ItemHeight, never below 1, so that no walk over the items can stall.
    int HeightOf(int index, int columnWidth) const;
    // The width of an item's text column with or without the scroll bar beside it.
    int ColumnWidth(bool barShown) const;
};

// One item where painting puts it.
struct TKsItemPlace {
    int Index = -1;
    TRect CheckCell;
    TRect Item;
};

// The scroll bar settings and column flow of a list box for one input. The bar's position is the
// top item (single column) or the first shown column.
struct TKsListLayout {
    bool Horizontal = false;
    int Max = 0;
    int PageSize = 0;
    bool BarVisible = false;
    bool BarEnabled = false;
    TRect BarRect;
    int ColumnWidth = 0;
    // The first item of every column, then the item count (columns only).
    std::vector<int> ColumnStarts;

    static TKsListLayout Compute(const TKsListLayoutInput& input);

    // The highest top index (or first column) scrolling may reach, so that the last page is full.
    int TopLimit() const;
    // Visits the items painting shows from top on, in painting order, until visit answers false.
    void ForEachShown(const TKsListLayoutInput& input, int top, const std::function<bool(const TKsItemPlace&)>& visit) const;
    // The first and last item shown entirely from top on; last < first when none fits.
    void VisibleRange(const TKsListLayoutInput& input, int top, int& first, int& last) const;
    // The top index (or first column) at which index is shown, moving from top as little as
    // possible; an item taller than the list ends at the top, and no search passes TopLimit.
    int TopToShow(const TKsListLayoutInput& input, int top, int index) const;

private:
    void FlowColumns(const TKsListLayoutInput& input, int height);
    int ColumnOf(int index) const;
};

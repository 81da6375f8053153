#include "skinctl/KsListLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TKsListLayoutInput FixedItems(int count, int height, int listHeight)
{
    TKsListLayoutInput input;
    input.Content = TRect(2, 2, 102, 2 + listHeight);
    input.Count = count;
    input.BarThickness = 17;
    input.ItemHeight = [height](int, int) { return height; };
    return input;
}

std::vector<int> ShownItems(const TKsListLayoutInput& input, const TKsListLayout& layout, int top)
{
    std::vector<int> shown;
    layout.ForEachShown(input, top, [&](const TKsItemPlace& item) {
        shown.push_back(item.Index);
        return true;
    });
    return shown;
}

} // namespace

TEST(ListLayout, TwentyFixedItemsWithRoomForFiveScrollUpToItemFifteen)
{
    TKsListLayoutInput input = FixedItems(20, 16, 80);
    TKsListLayout layout = TKsListLayout::Compute(input);
    EXPECT_EQ(layout.Max, 19);
    EXPECT_EQ(layout.PageSize, 5);
    EXPECT_EQ(layout.TopLimit(), 15);
    EXPECT_TRUE(layout.BarVisible);
    EXPECT_TRUE(layout.BarEnabled);
    EXPECT_EQ(layout.BarRect, TRect(85, 2, 102, 82));
    EXPECT_EQ(layout.ColumnWidth, 83);
    EXPECT_EQ(layout.TopToShow(input, 0, 19), 15);
    EXPECT_EQ(layout.TopToShow(input, 0, 7), 3);
    EXPECT_EQ(layout.TopToShow(input, 10, 12), 10);
    EXPECT_EQ(layout.TopToShow(input, 10, 4), 4);
    int first = 0;
    int last = 0;
    layout.VisibleRange(input, 15, first, last);
    EXPECT_EQ(first, 15);
    EXPECT_EQ(last, 19);
}

TEST(ListLayout, ItemsThatFitNeedNoBarUnlessItIsAlwaysShown)
{
    TKsListLayoutInput input = FixedItems(3, 16, 80);
    input.CheckCellWidth = 15;
    TKsListLayout layout = TKsListLayout::Compute(input);
    EXPECT_EQ(layout.PageSize, 3);
    EXPECT_FALSE(layout.BarVisible);
    EXPECT_EQ(layout.ColumnWidth, 100 - 15);
    input.AlwaysShowBar = true;
    layout = TKsListLayout::Compute(input);
    EXPECT_TRUE(layout.BarVisible);
    EXPECT_FALSE(layout.BarEnabled);
    EXPECT_EQ(layout.ColumnWidth, 100 - 17 - 15);
    TKsItemPlace second;
    layout.ForEachShown(input, 0, [&](const TKsItemPlace& item) {
        second = item;
        return item.Index < 1;
    });
    EXPECT_EQ(second.CheckCell, TRect(2, 18, 17, 34));
    EXPECT_EQ(second.Item, TRect(17, 18, 85, 34));
}

TEST(ListLayout, OnlyItemsThatFitEntirelyAreShown)
{
    TKsListLayoutInput input = FixedItems(20, 16, 90);
    TKsListLayout layout = TKsListLayout::Compute(input);
    EXPECT_EQ(ShownItems(input, layout, 3), (std::vector<int>{3, 4, 5, 6, 7}));
}

TEST(ListLayout, VariableHeightsRescanWithTheNarrowerColumnOnceTheyOverflow)
{
    // Wrapped text: an item is twice as high in a column narrower than 100 pixels.
    TKsListLayoutInput input = FixedItems(4, 0, 50);
    input.VariableHeights = true;
    input.ItemHeight = [](int, int width) { return width >= 100 ? 10 : 20; };
    TKsListLayout layout = TKsListLayout::Compute(input);
    EXPECT_EQ(layout.Max, 0);
    EXPECT_FALSE(layout.BarVisible);
    EXPECT_EQ(layout.ColumnWidth, 100);

    input.Count = 6;
    layout = TKsListLayout::Compute(input);
    EXPECT_EQ(layout.Max, 4);
    EXPECT_EQ(layout.PageSize, 0);
    EXPECT_TRUE(layout.BarVisible);
    EXPECT_EQ(layout.ColumnWidth, 83);
    EXPECT_EQ(ShownItems(input, layout, 4), (std::vector<int>{4, 5}));
}

TEST(ListLayout, AnItemTallerThanTheListIsScrolledToTheTopAndTheSearchEnds)
{
    TKsListLayoutInput input = FixedItems(3, 0, 50);
    input.VariableHeights = true;
    std::vector<int> heights{10, 200, 10};
    input.ItemHeight = [&](int index, int) { return heights[index]; };
    TKsListLayout layout = TKsListLayout::Compute(input);
    EXPECT_EQ(layout.Max, 2);
    EXPECT_EQ(layout.TopToShow(input, 0, 1), 1);
    EXPECT_EQ(layout.TopToShow(input, 0, 2), 2);
    int first = 0;
    int last = 0;
    layout.VisibleRange(input, 1, first, last);
    EXPECT_LT(last, first);

    // Fixed items taller than the list, and items of height 0, end too.
    TKsListLayoutInput tall = FixedItems(5, 300, 50);
    layout = TKsListLayout::Compute(tall);
    EXPECT_EQ(layout.PageSize, 0);
    EXPECT_EQ(layout.TopToShow(tall, 0, 3), 3);
    TKsListLayoutInput flat = FixedItems(100000, 0, 50);
    layout = TKsListLayout::Compute(flat);
    EXPECT_EQ(layout.PageSize, 50);
    EXPECT_EQ(ShownItems(flat, layout, 0).size(), 50u);
}

TEST(ListLayout, ColumnsFlowDownAndScrollSidewaysByColumn)
{
    TKsListLayoutInput input = FixedItems(10, 20, 70);
    input.Columns = 2;
    TKsListLayout layout = TKsListLayout::Compute(input);
    // Three items a column need four columns, more than two: with the bar's height taken off, two fit.
    EXPECT_TRUE(layout.Horizontal);
    EXPECT_EQ(layout.ColumnStarts, (std::vector<int>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(layout.Max, 4);
    EXPECT_EQ(layout.PageSize, 2);
    EXPECT_EQ(layout.BarRect, TRect(2, 55, 102, 72));
    EXPECT_EQ(layout.TopToShow(input, 0, 9), 3);
    EXPECT_EQ(layout.TopToShow(input, 3, 1), 0);
    TKsItemPlace lastItem;
    layout.ForEachShown(input, 3, [&](const TKsItemPlace& item) {
        lastItem = item;
        return true;
    });
    EXPECT_EQ(lastItem.Index, 9);
    EXPECT_EQ(lastItem.Item, TRect(52, 22, 102, 42));

    input.Count = 4;
    layout = TKsListLayout::Compute(input);
    EXPECT_EQ(layout.ColumnStarts, (std::vector<int>{0, 3, 4}));
    EXPECT_FALSE(layout.BarVisible);
}

#include "framework/Exceptions.h"
#include "skinctl/KsListBoxItems.h"
#include "skinctl/KsListSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Items wired to a selection as the list box wires them.
struct TListModel {
    TListModel()
    {
        Items.OnChange = [this](const TEkListChange& change) {
            Selection.ItemsChanged(change, Items.Count());
            Changes.push_back(change.Kind);
        };
    }

    std::vector<int> SelectedItems() const
    {
        std::vector<int> result;
        for (int i = 0; i < Selection.Count(); ++i)
            if (Selection.Selected(i)) result.push_back(i);
        return result;
    }

    TEkListBoxItems Items;
    TKsListSelection Selection;
    std::vector<TEkListChange::TKind> Changes;
};

void Fill(TListModel& model, int count)
{
    for (int i = 0; i < count; ++i) model.Items.Add(L"item " + std::to_wstring(i));
}

} // namespace

TEST(ListBoxItems, ASortedListKeepsAlphabeticalOrderIgnoringCaseAndHoldsEachTextOnce)
{
    TListModel model;
    model.Items.SetSorted(true);
    model.Items.Add(L"pear");
    model.Items.Add(L"Apple");
    EXPECT_EQ(model.Items.Add(L"apple"), 0);
    model.Items.Insert(0, L"zucchini");
    model.Items.AddObject(L"fig", 7);
    EXPECT_EQ(model.Items.Texts(), (std::vector<std::wstring>{L"Apple", L"fig", L"pear", L"zucchini"}));
    EXPECT_EQ(model.Items.Objects(1), 7);
    EXPECT_EQ(model.Items.IndexOf(L"PEAR"), 2);
    EXPECT_THROW(model.Items.Strings(4), EInvalidOperation);
}

TEST(ListBoxItems, EveryChangeIsReportedAndAnUpdateBracketEndsWithOneMore)
{
    TListModel model;
    model.Items.BeginUpdate();
    model.Items.Add(L"a");
    model.Items.Add(L"b");
    EXPECT_TRUE(model.Items.Updating());
    model.Items.EndUpdate();
    model.Items.Exchange(0, 1);
    model.Items.SetStrings(0, L"c");
    model.Items.SetObjects(0, 3);
    model.Items.Delete(1);
    model.Items.Clear();
    using C = TEkListChange;
    EXPECT_EQ(model.Changes, (std::vector<C::TKind>{C::Inserted, C::Inserted, C::UpdateEnded, C::Exchanged,
                                                    C::StringChanged, C::ObjectChanged, C::Deleted, C::Cleared}));
}

TEST(ListSelection, TheFirstItemAddedBecomesTheItemIndexAndAnEmptyListHasNone)
{
    TListModel model;
    EXPECT_EQ(model.Selection.ItemIndex(), -1);
    model.Items.Add(L"one");
    EXPECT_EQ(model.Selection.ItemIndex(), 0);
    model.Items.Delete(0);
    EXPECT_EQ(model.Selection.ItemIndex(), -1);
}

TEST(ListSelection, ItemIndexRequestsAreClamped)
{
    TListModel model;
    Fill(model, 5);
    EXPECT_EQ(model.Selection.Clamp(9), 4);
    EXPECT_EQ(model.Selection.Clamp(-1), -1);
    EXPECT_EQ(model.Selection.Clamp(-7), 0);
    EXPECT_EQ(TListModel().Selection.Clamp(-7), -1) << "an empty list names no item";
    model.Selection.SetItemIndex(-1);
    model.Selection.Apply();
    EXPECT_TRUE(model.SelectedItems().empty());
}

TEST(ListSelection, CheckBoxesCycleThroughGrayedOnlyWhenAllowed)
{
    TListModel model;
    Fill(model, 2);
    std::vector<TKsCheckState> seen;
    for (int click = 0; click < 3; ++click) {
        model.Selection.CycleCheck(0);
        seen.push_back(model.Selection.CheckState(0));
    }
    EXPECT_EQ(seen, (std::vector<TKsCheckState>{kcsChecked, kcsUnchecked, kcsChecked}));

    model.Selection.SetAllowGrayed(true);
    model.Selection.SetCheckState(0, kcsUnchecked);
    seen.clear();
    for (int click = 0; click < 3; ++click) {
        model.Selection.CycleCheck(0);
        seen.push_back(model.Selection.CheckState(0));
    }
    EXPECT_EQ(seen, (std::vector<TKsCheckState>{kcsChecked, kcsGrayed, kcsUnchecked}));

    model.Selection.SetCheckState(0, kcsGrayed);
    model.Selection.SetCheckState(1, kcsGrayed);
    model.Selection.SetAllowGrayed(false);
    EXPECT_EQ(model.Selection.CheckState(0), kcsChecked);
    EXPECT_EQ(model.Selection.CheckState(1), kcsChecked);

    model.Selection.SetCheckEnabled(1, false);
    EXPECT_FALSE(model.Selection.CycleCheck(1));
    EXPECT_EQ(model.Selection.CheckState(1), kcsChecked);
}

TEST(ListSelection, CheckStatesSelectedFlagsAndTheItemIndexMoveWithTheirItems)
{
    TListModel model;
    Fill(model, 4);
    model.Selection.SetCheckState(1, kcsChecked);
    model.Selection.SetCheckEnabled(3, false);
    model.Selection.SetItemIndex(1);
    model.Selection.Apply();
    model.Items.Insert(0, L"new");
    EXPECT_EQ(model.Selection.CheckState(2), kcsChecked);
    EXPECT_EQ(model.Selection.CheckState(1), kcsUnchecked);
    EXPECT_EQ(model.SelectedItems(), (std::vector<int>{2}));
    EXPECT_EQ(model.Selection.ItemIndex(), 2);
    EXPECT_FALSE(model.Selection.CheckEnabled(4));
    EXPECT_TRUE(model.Selection.CheckEnabled(0));
    model.Items.Exchange(2, 4);
    EXPECT_EQ(model.Selection.CheckState(4), kcsChecked);
    EXPECT_EQ(model.SelectedItems(), (std::vector<int>{4}));
    EXPECT_FALSE(model.Selection.CheckEnabled(2));
    model.Items.Delete(0);
    EXPECT_EQ(model.Selection.CheckState(3), kcsChecked);
    EXPECT_EQ(model.SelectedItems(), (std::vector<int>{3}));
    EXPECT_EQ(model.Selection.ItemIndex(), 3);
    EXPECT_EQ(model.Selection.SelCount(), 1);
    // The selected item going takes its selection with it.
    model.Items.Delete(3);
    EXPECT_TRUE(model.SelectedItems().empty());
    EXPECT_EQ(model.Selection.SelCount(), 0);

    // Sorting moves them too: "b" (checked) ends last.
    TListModel sorted;
    sorted.Items.Add(L"b");
    sorted.Items.Add(L"c");
    sorted.Items.Add(L"a");
    sorted.Selection.SetCheckState(0, kcsChecked);
    sorted.Items.SetSorted(true);
    EXPECT_EQ(sorted.Items.Texts(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(sorted.Selection.CheckState(1), kcsChecked);
}

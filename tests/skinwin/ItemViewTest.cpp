#include "skinwin/KsItems.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A view over the children of one item, without a window: selection moves only.
class ItemView : public ::testing::Test {
protected:
    TKsCustomItem* AddChild(const std::wstring& caption)
    {
        auto* item = new TKsCustomItem(&Owner);
        item->SetCaption(caption);
        Menu->Add(item);
        return item;
    }

    TComponent Owner{nullptr};
    TKsCustomItem* Menu = new TKsCustomItem(&Owner);
    TKsItemView View{nullptr, voVertical, false};
};

TEST_F(ItemView, WrappingToTheLastItemOfAWindowLongerThanTheListStartsAtTheTop)
{
    AddChild(L"one");
    AddChild(L"two");
    TKsCustomItem* last = AddChild(L"three");
    Menu->SetScrolled(true);
    Menu->SetScrollCount(5);
    View.SetItem(Menu);
    View.SelectNext();
    View.SelectPrevious();
    EXPECT_EQ(View.Selected(), last);
    EXPECT_EQ(Menu->FirstVisibleIndex(), 0);
    EXPECT_EQ(View.WindowEnd(), 3);
}

TEST_F(ItemView, SelectionSkipsSeparatorsAndHiddenItemsAndScrollsItsWindowAlong)
{
    TKsCustomItem* first = AddChild(L"first");
    AddChild(L"-");
    TKsCustomItem* hidden = AddChild(L"hidden");
    hidden->SetVisible(false);
    TKsCustomItem* fourth = AddChild(L"fourth");
    TKsCustomItem* fifth = AddChild(L"fifth");
    Menu->SetScrolled(true);
    Menu->SetScrollCount(2);
    View.SetItem(Menu);

    View.SelectNext();
    EXPECT_EQ(View.Selected(), first);
    View.SelectNext();
    EXPECT_EQ(View.Selected(), fourth);
    // The window ends at the selection once it moved past the window's end.
    EXPECT_EQ(Menu->FirstVisibleIndex(), 2);
    View.SelectNext();
    EXPECT_EQ(View.Selected(), fifth);
    EXPECT_EQ(Menu->FirstVisibleIndex(), 3);
    View.SelectNext();
    EXPECT_EQ(View.Selected(), first);
    EXPECT_EQ(Menu->FirstVisibleIndex(), 0);
    View.SelectPrevious();
    EXPECT_EQ(View.Selected(), fifth);
    EXPECT_EQ(Menu->FirstVisibleIndex(), 3);
}

} // namespace

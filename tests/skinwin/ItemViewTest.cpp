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

} // namespace

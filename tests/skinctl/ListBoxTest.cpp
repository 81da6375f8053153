#include "RepeatTesting.h"
#include "SkinnedControlTesting.h"

#include "skin/objects/KsSkinObjectRegistry.h"
#include "skinctl/KsSkinListBoxs.h"

#include <vector>

namespace {

class TProbeList : public TKsCustomListBox {
public:
    using TKsCustomListBox::TKsCustomListBox;
    TTimer* RepeatTimer() const { return static_cast<const TProbeBar*>(ScrollBar())->RepeatTimer(); }

private:
    class TProbeBar : public TKsCustomScrollBar {
    public:
        using TKsCustomScrollBar::RepeatTimer;
    };
};

// A plain list on the form with room for five items of 16 pixels (80 pixels inside a 2-pixel border)
// and twenty items "item 0" to "item 19".
class ListBox : public SkinnedControlTest {
protected:
    void SetUp() override
    {
        SkinnedControlTest::SetUp();
        FocusTaker();
        List = new TProbeList(Form);
        List->SetParent(Form);
        List->SetBounds(10, 10, 121, 84);
        List->Items().BeginUpdate();
        for (int i = 0; i < 20; ++i) List->Items().Add(L"item " + std::to_wstring(i));
        List->Items().EndUpdate();
        List->OnClick = [this] { ++Clicks; };
        ShowForm();
    }

    // The middle of item index's row, while the top index is top.
    static int RowY(int index, int top = 0) { return 2 + (index - top) * 16 + 8; }

    void Mouse(UINT message, int x, int y, WPARAM flags = MK_LBUTTON)
    {
        SendMessageW(List->Handle(), message, flags, MAKELPARAM(x, y));
    }
    void Click(int x, int y, WPARAM keys = 0)
    {
        Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON | keys);
        Mouse(WM_LBUTTONUP, x, y, keys);
    }

    std::vector<int> SelectedItems() const
    {
        std::vector<int> selected;
        for (int i = 0; i < List->Items().Count(); ++i)
            if (List->Selected(i)) selected.push_back(i);
        return selected;
    }

    TSlowKeyboardRepeat slowRepeat;
    TProbeList* List = nullptr;
    int Clicks = 0;
};

} // namespace

TEST_F(ListBox, ShiftClickExtendsFromTheAnchorAndCtrlClickTogglesOneItem)
{
    List->SetMultiSelect(true);
    Click(30, RowY(1));
    Click(30, RowY(4), MK_SHIFT);
    EXPECT_EQ(SelectedItems(), (std::vector<int>{1, 2, 3, 4}));
    Click(30, RowY(2), MK_CONTROL);
    EXPECT_EQ(SelectedItems(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(Clicks, 3);
    EXPECT_TRUE(List->Focused());
}

TEST_F(ListBox, CheckBoxesCycleByClickAndBySpace)
{
    List->SetShowCheckBoxes(true);
    List->SetAllowGrayed(true);
    std::vector<TKsCheckState> states;
    for (int click = 0; click < 3; ++click) {
        Click(2 + 7, RowY(1));
        states.push_back(List->ItemState(1));
    }
    EXPECT_EQ(states, (std::vector<TKsCheckState>{kcsChecked, kcsGrayed, kcsUnchecked}));
    EXPECT_EQ(List->ItemIndex(), 1);
    PressKey(VK_SPACE);
    PressKey(VK_SPACE);
    EXPECT_EQ(List->ItemState(1), kcsGrayed);
    List->SetAllowGrayed(false);
    EXPECT_EQ(List->ItemState(1), kcsChecked);
    // A box whose check is disabled keeps its state; clicking beside the boxes only selects.
    List->SetItemEnabled(1, false);
    Click(2 + 7, RowY(1));
    EXPECT_EQ(List->ItemState(1), kcsChecked);
    Click(60, RowY(2));
    EXPECT_EQ(List->ItemState(2), kcsUnchecked);
    EXPECT_EQ(List->ItemIndex(), 2);
}

TEST_F(ListBox, NavigationKeysMoveTheItemIndexAndScrollItIntoView)
{
    List->SetFocus();
    struct TStep {
        WPARAM Key;
        int Index;
        int Top;
    };
    for (TStep step : {TStep{VK_DOWN, 1, 0}, TStep{VK_NEXT, 5, 1}, TStep{VK_NEXT, 9, 5}, TStep{VK_END, 19, 15},
                       TStep{VK_PRIOR, 15, 15}, TStep{VK_UP, 14, 14}, TStep{VK_HOME, 0, 0}}) {
        PressKey(step.Key);
        EXPECT_EQ(List->ItemIndex(), step.Index) << step.Key;
        EXPECT_EQ(List->TopIndex(), step.Top) << step.Key;
    }
    EXPECT_EQ(Clicks, 7);
    PressKey(VK_HOME);
    EXPECT_EQ(Clicks, 7);

    List->SetMultiSelect(true);
    PressKey(VK_DOWN, true);
    PressKey(VK_DOWN, true);
    EXPECT_EQ(SelectedItems(), (std::vector<int>{0, 1, 2}));
    PressKey(VK_DOWN);
    EXPECT_EQ(SelectedItems(), (std::vector<int>{3}));
}

TEST_F(ListBox, DraggingBelowTheListScrollsAndExtendsTheSelectionUntilTheRelease)
{
    List->SetMultiSelect(true);
    Mouse(WM_LBUTTONDOWN, 30, RowY(1));
    Mouse(WM_MOUSEMOVE, 30, 120);
    EXPECT_TRUE(List->ScrollBar()->AutoRepeatDown());
    ASSERT_TRUE(TickNow(List->RepeatTimer()));
    ASSERT_TRUE(TickNow(List->RepeatTimer()));
    EXPECT_EQ(List->TopIndex(), 2);
    EXPECT_EQ(List->ItemIndex(), 6);
    EXPECT_EQ(SelectedItems(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    Mouse(WM_LBUTTONUP, 30, 120, 0);
    EXPECT_FALSE(List->ScrollBar()->AutoRepeatDown());
    EXPECT_FALSE(TickNow(List->RepeatTimer()));

    // Without a press the pointer below the list scrolls nothing.
    Mouse(WM_MOUSEMOVE, 30, 120, 0);
    EXPECT_FALSE(List->ScrollBar()->AutoRepeatDown());
    // Losing the mouse to another window ends the drag.
    Mouse(WM_LBUTTONDOWN, 30, RowY(3, 2));
    Mouse(WM_MOUSEMOVE, 30, -10);
    EXPECT_TRUE(List->ScrollBar()->AutoRepeatUp());
    SetCapture(Form->Handle());
    EXPECT_FALSE(List->ScrollBar()->AutoRepeatUp());
    EXPECT_FALSE(List->MouseSelecting());
    ReleaseCapture();
}

TEST_F(ListBox, TheWheelScrollsByTheLinesSettingOrByAPage)
{
    UINT saved = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    auto wheel = [&](int delta) {
        TPoint at = List->ClientToScreen({30, 30});
        SendMessageW(List->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.X, at.Y));
    };
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    wheel(-120);
    EXPECT_EQ(List->TopIndex(), 3);
    wheel(120);
    EXPECT_EQ(List->TopIndex(), 0);
    EXPECT_EQ(List->ItemIndex(), 0);
    // More lines a notch than 120, and a screen at a time, scroll a page.
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 500, nullptr, 0);
    wheel(-120);
    EXPECT_EQ(List->TopIndex(), 5);
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
    wheel(-240);
    EXPECT_EQ(List->TopIndex(), 15);
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
}

TEST_F(ListBox, ItemIndexAndAnchorStayInsideTheListWhenItemsGo)
{
    List->SetMultiSelect(true);
    List->SetItemIndex(19);
    EXPECT_EQ(List->TopIndex(), 15);
    for (int i = 0; i < 12; ++i) List->Items().Delete(List->Items().Count() - 1);
    EXPECT_EQ(List->ItemIndex(), 7);
    EXPECT_EQ(List->Anchor(), 7);
    EXPECT_EQ(List->TopIndex(), 3);
    Repaint(List);
    List->SetFocus();
    PressKey(VK_UP, true);
    EXPECT_EQ(SelectedItems(), (std::vector<int>{6, 7}));
}

TEST_F(ListBox, KeysOnAnEmptyListChooseNothing)
{
    List->Items().Clear();
    List->SetFocus();
    for (WPARAM key : {VK_UP, VK_PRIOR, VK_HOME, VK_DOWN, VK_NEXT, VK_END}) PressKey(key);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_EQ(Clicks, 0);
    List->Items().Add(L"first");
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(ListBox, ZeroHighItemsAndAnItemTallerThanTheListNeitherHangNorDivideByZero)
{
    List->SetItemHeight(0);
    EXPECT_EQ(List->ScrollBar()->PageSize(), 20);
    Repaint(List);
    List->SetItemIndex(19);
    EXPECT_EQ(List->TopIndex(), 0);

    List->SetItemHeight(16);
    List->SetWordWrap(true);
    std::wstring tall;
    for (int word = 0; word < 60; ++word) tall += L"word ";
    List->Items().SetStrings(10, tall);
    List->SetItemIndex(10);
    EXPECT_EQ(List->TopIndex(), 10);
    Repaint(List);
    // The next item comes into view below the tall one: it takes the top.
    List->SetItemIndex(11);
    EXPECT_EQ(List->TopIndex(), 11);
    TKsItemPlace place;
    ASSERT_TRUE(List->ItemPlace(11, place));
    EXPECT_EQ(place.Item.Top, 2);
}

TEST_F(ListBox, ColourNamesShowASwatchAndTheNameWithoutItsPrefix)
{
    List->SetBounds(10, 10, 200, 84);
    List->SetListStyle(lbColorNames);
    ASSERT_EQ(List->Items().Count(), 49);
    const int index = List->Items().IndexOf(L"clHighlight");
    List->SetTopIndex(index);
    Repaint(List);
    TKsItemPlace place;
    ASSERT_TRUE(List->ItemPlace(index, place));
    // The 20 x 14 swatch centred in a 20-pixel cell after the 2-pixel inset, framed in black.
    const int swatchLeft = place.Item.Left + 2;
    const int swatchTop = place.Item.Top + (place.Item.Height() - 14) / 2;
    EXPECT_EQ(Rgb(Buffer(List), swatchLeft, swatchTop), 0u);
    EXPECT_EQ(Rgb(Buffer(List), swatchLeft + 10, swatchTop + 7), Rgb(clHighlight));
    EXPECT_EQ(place.Item.Height(), 18);
}

TEST_F(ListBox, FontFamiliesShowTheTrueTypeMark)
{
    List->SetBounds(10, 10, 200, 84);
    List->SetListStyle(lbFonts);
    const int index = List->Items().IndexOf(L"Tahoma");
    ASSERT_GE(index, 0);
    List->SetTopIndex(index);
    List->SetItemIndex(-1);
    Repaint(List);
    TKsItemPlace place;
    ASSERT_TRUE(List->ItemPlace(index, place));
    const TKsBitmap& mark = TrueTypeMark();
    ASSERT_FALSE(mark.Empty());
    const int left = place.Item.Left + 2 + (18 - mark.Width()) / 2;
    const int top = place.Item.Top + (18 - mark.Height()) / 2;
    EXPECT_EQ(Rgb(Buffer(List), left + 6, top + 6), mark.Pixel(6, 6) & 0xFFFFFF);
    EXPECT_EQ(Rgb(Buffer(List), left + 1, top + 2), mark.Pixel(1, 2) & 0xFFFFFF);
}

TEST_F(ListBox, TheSkinnedListDrawsItsItemsAndBarThroughTheSkin)
{
    auto* skinned = Make<TSeSkinListBox>(Form, TRect::FromSize(150, 10, 121, 84));
    for (int i = 0; i < 20; ++i) skinned->Items().Add(L"row " + std::to_wstring(i));
    skinned->SetItemIndex(2);
    Repaint(skinned);
    EXPECT_EQ(skinned->ScrollBar()->Width(), 17);
    TKsItemPlace place;
    ASSERT_TRUE(skinned->ItemPlace(2, place));
    auto* item = static_cast<TSeActiveObject*>(Engine->Source()->ObjectByName(L"ListBox")->FindObjectByName(L"Item"));
    EXPECT_EQ(Rgb(Buffer(skinned), place.Item.Right - 3, place.Item.Top + 1), Rgb(item->ActiveColor()));
    ASSERT_TRUE(skinned->ItemPlace(3, place));
    EXPECT_EQ(Rgb(Buffer(skinned), place.Item.Right - 3, place.Item.Top + 1), Rgb(item->Color()));
}

// The frame is drawn twice, as border and as background; both show the focus, or a focused list
// would look like any other.
TEST_F(ListBox, TheSkinnedListsFrameShowsTheFocus)
{
    auto* skinned = Make<TSeSkinListBox>(Form, TRect::FromSize(150, 10, 121, 84));
    const TRect whole{0, 0, 121, 84};
    Repaint(skinned);
    auto normal = DrawPart(L"ListBox", L"Frame", ssNormal, whole, 121, 84, clWindow);
    EXPECT_EQ(Differences(Buffer(skinned), *normal, whole), 0);

    skinned->SetFocus();
    Repaint(skinned);
    auto focused = DrawPart(L"ListBox", L"Frame", ssFocused, whole, 121, 84, clWindow);
    ASSERT_GT(Differences(*focused, *normal, whole), 0);
    EXPECT_EQ(Differences(Buffer(skinned), *focused, whole), 0);
}

TEST_F(ListBox, ASkinWithoutTheListsPartsDrawsThePlainList)
{
    delete Engine;
    Engine = new TSeSkinEngine(Form);
    std::vector<std::unique_ptr<TSeSkinObject>> objects;
    objects.emplace_back(CreateSkinObject(L"TSeSkinObject", nullptr));
    objects.back()->SetName(L"ListBox");
    Engine->Source()->Adopt(std::move(objects), TKsBitmapList());
    auto* skinned = Make<TSeSkinListBox>(Form, TRect::FromSize(150, 10, 121, 84));
    for (int i = 0; i < 20; ++i) skinned->Items().Add(L"item " + std::to_wstring(i));
    skinned->SetItemIndex(3);
    List->SetItemIndex(3);
    Repaint(skinned);
    Repaint(List);
    EXPECT_EQ(Differences(Buffer(skinned), Buffer(List), {0, 0, 121, 84}), 0);
}

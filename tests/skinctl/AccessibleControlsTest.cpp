#include "SkinnedControlTesting.h"

#include "skinctl/KsSkinButtons.h"
#include "skinctl/KsSkinCheckBoxs.h"
#include "skinctl/KsSkinComboBoxs.h"
#include "skinctl/KsSkinEdits.h"
#include "skinctl/KsSkinGroupBoxs.h"
#include "skinctl/KsSkinListBoxs.h"
#include "skinctl/KsSkinProgress.h"
#include "tests/support/AccessibleTesting.h"

namespace {

class AccessibleControls : public SkinnedControlTest {
protected:
    void PlaceLabel(const TRect& bounds, const std::wstring& caption)
    {
        auto* label = new TLabel(Form);
        label->SetParent(Form);
        label->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        label->SetCaption(caption);
    }
    // Asks for the default action and lets the posted request run.
    static void DoDefaultAction(IAccessible* object, LONG child = CHILDID_SELF)
    {
        EXPECT_EQ(object->accDoDefaultAction(ChildVariant(child)), S_OK);
        Application->ProcessMessages();
    }
};

std::wstring DefaultAction(IAccessible* object, LONG child = CHILDID_SELF)
{
    return AccText(object, &IAccessible::get_accDefaultAction, child);
}

HRESULT PutValue(IAccessible* object, const wchar_t* value)
{
    BSTR text = SysAllocString(value);
    HRESULT result = object->put_accValue(ChildVariant(CHILDID_SELF), text);
    SysFreeString(text);
    return result;
}

} // namespace

TEST_F(AccessibleControls, ButtonsAndRadioButtonsTellTheirStateAndTheirDefaultActionsClickOnceTheCallReturned)
{
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25), L"儲存(&S)");
    auto* first = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 40, 100, 17), L"固定檔名:");
    auto* second = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 60, 100, 17), L"自動命名");
    int clicks = 0;
    button->OnClick = [&] { ++clicks; };
    button->SetDefault(true);
    first->SetChecked(true);
    TWinControl* other = FocusTaker();
    ShowForm();
    other->SetFocus();

    TAccessible pushButton = AccessibleOf(button->Handle());
    EXPECT_EQ(AccRole(pushButton.Get()), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(AccName(pushButton.Get()), L"儲存(S)");
    EXPECT_EQ(AccText(pushButton.Get(), &IAccessible::get_accKeyboardShortcut), L"Alt+S");
    EXPECT_EQ(AccState(pushButton.Get()), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_DEFAULT);
    EXPECT_EQ(DefaultAction(pushButton.Get()), L"Press");
    // The click waits for the message loop: a tool's call never runs into a modal dialog.
    EXPECT_EQ(pushButton.Get()->accDoDefaultAction(ChildVariant(CHILDID_SELF)), S_OK);
    EXPECT_EQ(clicks, 0);
    Application->ProcessMessages();
    EXPECT_EQ(clicks, 1);
    button->SetEnabled(false);
    EXPECT_TRUE(AccState(pushButton.Get()) & STATE_SYSTEM_UNAVAILABLE);
    DoDefaultAction(pushButton.Get());
    EXPECT_EQ(clicks, 1);

    TAccessible radio = AccessibleOf(second->Handle());
    EXPECT_EQ(AccRole(radio.Get()), ROLE_SYSTEM_RADIOBUTTON);
    EXPECT_FALSE(AccState(radio.Get()) & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(DefaultAction(radio.Get()), L"Check");
    DoDefaultAction(radio.Get());
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked());
    EXPECT_TRUE(AccState(radio.Get()) & STATE_SYSTEM_CHECKED);
}

TEST_F(AccessibleControls, BoxesAreNamedByTheLabelBeforeThemAndTellTheirText)
{
    // A label above the first box; on the left of the second one, nearer than the label above it;
    // none near the third.
    PlaceLabel(TRect::FromSize(8, 8, 150, 13), L"欲加入目錄列舉的目錄列表 :");
    auto* above = Make<TSeSkinEdit>(Form, TRect::FromSize(8, 32, 249, 21));
    PlaceLabel(TRect::FromSize(8, 64, 75, 13), L"目錄深度到第 ");
    auto* combo = Make<TSeSkinComboBox>(Form, TRect::FromSize(86, 60, 35, 21));
    auto* alone = Make<TSeSkinEdit>(Form, TRect::FromSize(200, 180, 100, 21));
    for (int depth = 1; depth <= 8; ++depth) combo->Items().Add(std::to_wstring(depth));
    combo->SetText(L"3");
    ShowForm();

    TAccessible edit = AccessibleOf(above->Handle());
    EXPECT_EQ(AccRole(edit.Get()), ROLE_SYSTEM_TEXT);
    EXPECT_EQ(AccName(edit.Get()), L"欲加入目錄列舉的目錄列表 :");
    EXPECT_EQ(AccName(AccessibleOf(alone->Handle()).Get()), L"<none>");
    EXPECT_EQ(PutValue(edit.Get(), L"D:\\"), S_OK);
    EXPECT_EQ(AccText(edit.Get(), &IAccessible::get_accValue), L"D:\\");
    above->SetReadOnly(true);
    EXPECT_TRUE(AccState(edit.Get()) & STATE_SYSTEM_READONLY);
    EXPECT_NE(PutValue(edit.Get(), L"E:\\"), S_OK);
    EXPECT_EQ(above->Text(), L"D:\\");
    // A password keeps its text to itself.
    above->SetPasswordKind(pkCircle);
    EXPECT_TRUE(AccState(edit.Get()) & STATE_SYSTEM_PROTECTED);
    EXPECT_EQ(AccText(edit.Get(), &IAccessible::get_accValue), L"<none>");

    TAccessible box = AccessibleOf(combo->Handle());
    EXPECT_EQ(AccRole(box.Get()), ROLE_SYSTEM_COMBOBOX);
    EXPECT_EQ(AccName(box.Get()), L"目錄深度到第");
    EXPECT_EQ(AccText(box.Get(), &IAccessible::get_accValue), L"3");
    EXPECT_TRUE(AccState(box.Get()) & STATE_SYSTEM_COLLAPSED);
    EXPECT_EQ(DefaultAction(box.Get()), L"Open");
    DoDefaultAction(box.Get());
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_TRUE(AccState(box.Get()) & STATE_SYSTEM_EXPANDED);
    DoDefaultAction(box.Get());
    EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(AccessibleControls, AListBoxHasItsItemsAsChildrenAtTheirPlacesAndItsScrollBarAsAPart)
{
    auto* list = Make<TSeSkinListBox>(Form, TRect::FromSize(10, 10, 121, 84));
    for (int i = 0; i < 20; ++i) list->Items().Add(L"item " + std::to_wstring(i));
    int clicks = 0;
    list->OnClick = [&] { ++clicks; };
    ShowForm();
    list->SetItemIndex(1);

    TAccessible object = AccessibleOf(list->Handle());
    EXPECT_EQ(AccRole(object.Get()), ROLE_SYSTEM_LIST);
    ASSERT_EQ(AccChildCount(object.Get()), 20);
    EXPECT_EQ(AccRole(object.Get(), 3), ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(AccName(object.Get(), 3), L"item 2");
    EXPECT_TRUE(AccState(object.Get(), 2) & STATE_SYSTEM_SELECTED);
    EXPECT_FALSE(AccState(object.Get(), 3) & STATE_SYSTEM_SELECTED);
    EXPECT_TRUE(AccState(object.Get(), 20) & STATE_SYSTEM_INVISIBLE);
    TKsItemPlace place;
    ASSERT_TRUE(list->ItemPlace(2, place));
    const TPoint origin = list->ClientToScreen({0, 0});
    const TRect row = place.Item.Offset(origin.X, origin.Y);
    EXPECT_EQ(AccLocation(object.Get(), 3), row);
    EXPECT_EQ(AccHitTest(object.Get(), {row.Left + 2, row.Top + 2}), 3);
    EXPECT_EQ(DefaultAction(object.Get(), 3), L"Select");
    DoDefaultAction(object.Get(), 3);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);

    TAccessible bar = AccessibleOf(list->Handle(), OBJID_VSCROLL);
    ASSERT_TRUE(bar);
    EXPECT_EQ(AccRole(bar.Get()), ROLE_SYSTEM_SCROLLBAR);
    list->SetTopIndex(4);
    EXPECT_EQ(AccText(bar.Get(), &IAccessible::get_accValue), L"4");
}

TEST_F(AccessibleControls, AGroupBoxHoldsItsControlsAndAProgressBarTellsItsShareInPercent)
{
    auto* box = Make<TSeSkinGroupBox>(Form, TRect::FromSize(8, 100, 200, 100), L"輸出檔案設定");
    auto* inside = Make<TSeSkinButton>(box, TRect::FromSize(10, 30, 75, 25), L"瀏覽目錄");
    auto* bar = Make<TSeSkinProgressBar>(Form, TRect::FromSize(8, 210, 200, 20));
    bar->SetMax(3);
    bar->SetPosition(2);
    ShowForm();

    TAccessible group = AccessibleOf(box->Handle());
    EXPECT_EQ(AccRole(group.Get()), ROLE_SYSTEM_GROUPING);
    EXPECT_EQ(AccName(group.Get()), L"輸出檔案設定");
    EXPECT_FALSE(AccState(group.Get()) & STATE_SYSTEM_FOCUSABLE);
    ASSERT_EQ(AccChildCount(group.Get()), 1);
    EXPECT_EQ(AccChildWindow(group.Get(), 1), inside->Handle());
    TAccessible progress = AccessibleOf(bar->Handle());
    EXPECT_EQ(AccRole(progress.Get()), ROLE_SYSTEM_PROGRESSBAR);
    EXPECT_EQ(AccText(progress.Get(), &IAccessible::get_accValue), L"67%");
}

TEST_F(AccessibleControls, ChangesOfStateValueNameAndFocusAreToldOnceAndOnlyWhenTheyHappen)
{
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25), L"開始列舉");
    auto* radio = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 40, 100, 17), L"固定檔名:");
    auto* edit = Make<TSeSkinEdit>(Form, TRect::FromSize(10, 60, 100, 21));
    auto* list = Make<TSeSkinListBox>(Form, TRect::FromSize(150, 10, 121, 84));
    for (int i = 0; i < 5; ++i) list->Items().Add(L"item " + std::to_wstring(i));
    FocusTaker();
    ShowForm();
    TWinEventLog log;

    radio->SetChecked(true);
    edit->SetText(L"C:\\");
    button->SetCaption(L"停止列舉");
    button->Invalidate();
    edit->Invalidate();
    EXPECT_EQ(log.Count(EVENT_OBJECT_STATECHANGE, radio->Handle()), 1);
    EXPECT_EQ(log.Count(EVENT_OBJECT_VALUECHANGE, edit->Handle()), 1);
    EXPECT_EQ(log.Count(EVENT_OBJECT_NAMECHANGE, button->Handle()), 1);

    // In a focused list the focus follows the item index.
    list->SetFocus();
    list->SetItemIndex(3);
    EXPECT_EQ(log.Count(EVENT_OBJECT_FOCUS, list->Handle(), 4), 1);
}

TEST_F(AccessibleControls, AnObjectKeptAfterItsControlWentAnswersThatItIsNoLongerConnected)
{
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25), L"OK");
    ShowForm();
    TAccessible object = AccessibleOf(button->Handle());
    ASSERT_TRUE(object);
    delete button;
    BSTR name = nullptr;
    EXPECT_EQ(object.Get()->get_accName(ChildVariant(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object.Get()->accDoDefaultAction(ChildVariant(CHILDID_SELF)), CO_E_OBJNOTCONNECTED);
}

// The accessible objects of the skinned controls, one class per kind, and the choice among them.
#include "skinctl/KsAccessible.h"
#include "skinctl/KsButtons.h"
#include "skinctl/KsCheckBoxs.h"
#include "skinctl/KsComboBoxs.h"
#include "skinctl/KsGroupBoxs.h"
#include "skinctl/KsListBoxs.h"
#include "skinctl/KsProgress.h"

namespace {

class TButtonAccessible : public TKsControlAccessible<TKsCustomButton> {
public:
    using TKsControlAccessible::TKsControlAccessible;
    LONG Role(LONG) const override { return ROLE_SYSTEM_PUSHBUTTON; }
    LONG State(LONG child) const override
    {
        LONG state = TKsControlAccessible::State(child);
        if (Target().Pressed()) state |= STATE_SYSTEM_PRESSED;
        if (Target().ShowsDefault()) state |= STATE_SYSTEM_DEFAULT;
        return state;
    }
    std::wstring KeyboardShortcut(LONG) const override { return AltShortcut(); }
    std::wstring DefaultAction(LONG) const override { return L"Press"; }
    void RunDefaultAction(LONG) override
    {
        if (Target().Enabled()) Target().Click();
    }
};

class TRadioButtonAccessible : public TKsControlAccessible<TKsCustomRadioButton> {
public:
    using TKsControlAccessible::TKsControlAccessible;
    LONG Role(LONG) const override { return ROLE_SYSTEM_RADIOBUTTON; }
    LONG State(LONG child) const override
    {
        LONG state = TKsControlAccessible::State(child);
        if (Target().Checked()) state |= STATE_SYSTEM_CHECKED;
        if (Target().Pressed()) state |= STATE_SYSTEM_PRESSED;
        return state;
    }
    std::wstring KeyboardShortcut(LONG) const override { return AltShortcut(); }
    std::wstring DefaultAction(LONG) const override { return L"Check"; }
    void RunDefaultAction(LONG) override
    {
        if (Target().Enabled()) Target().SetChecked(true);
    }
};

// An edit, and the base of the combo box's object: named by its label, its text as its value.
template <typename C> class TTextBoxAccessible : public TKsControlAccessible<C> {
public:
    using TKsControlAccessible<C>::TKsControlAccessible;
    using TKsControlAccessible<C>::Target;
    std::wstring Name(LONG) const override { return LabelTextFor(Target()); }
    // A password's text is not told.
    std::optional<std::wstring> Value(LONG) const override
    {
        if (Target().PasswordKind() != pkNone) return std::nullopt;
        return Target().Text();
    }
    LONG State(LONG child) const override
    {
        LONG state = TKsControlAccessible<C>::State(child);
        if (Target().ReadOnly()) state |= STATE_SYSTEM_READONLY;
        if (Target().PasswordKind() != pkNone) state |= STATE_SYSTEM_PROTECTED;
        return state;
    }
    bool SetValue(LONG, const std::wstring& value) override
    {
        if (!Target().Enabled() || Target().ReadOnly()) return false;
        Target().SetText(value);
        return true;
    }
};

class TEditAccessible : public TTextBoxAccessible<TKsCustomEdit> {
public:
    using TTextBoxAccessible::TTextBoxAccessible;
    LONG Role(LONG) const override { return ROLE_SYSTEM_TEXT; }
};

class TComboBoxAccessible : public TTextBoxAccessible<TKsCustomComboBox> {
public:
    using TTextBoxAccessible::TTextBoxAccessible;
    LONG Role(LONG) const override { return ROLE_SYSTEM_COMBOBOX; }
    LONG State(LONG child) const override
    {
        LONG state = TTextBoxAccessible::State(child) | STATE_SYSTEM_HASPOPUP;
        return state | (Target().DroppedDown() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
    }
    std::wstring KeyboardShortcut(LONG) const override { return L"Alt+Down"; }
    std::wstring DefaultAction(LONG) const override { return Target().DroppedDown() ? L"Close" : L"Open"; }
    void RunDefaultAction(LONG) override
    {
        if (Target().DroppedDown())
            Target().CloseDropDownWindow(false);
        else if (Target().Enabled())
            Target().OpenDropDownWindow();
    }
    bool SetValue(LONG child, const std::wstring& value) override
    {
        return Target().ComboStyle() == kcsDropDown && TTextBoxAccessible::SetValue(child, value);
    }
};

// A list box with its items as children 1 to Count.
class TListBoxAccessible : public TKsControlAccessible<TKsCustomListBox> {
public:
    using TKsControlAccessible::TKsControlAccessible;
    LONG Role(LONG child) const override { return child == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM; }
    std::wstring Name(LONG child) const override
    {
        if (child == CHILDID_SELF) return LabelTextFor(Target());
        return Target().Items().Strings(child - 1);
    }
    LONG State(LONG child) const override
    {
        if (child == CHILDID_SELF) {
            LONG state = TKsControlAccessible::State(child);
            return Target().MultiSelect() ? state | STATE_SYSTEM_MULTISELECTABLE : state;
        }
        const TKsCustomListBox& list = Target();
        const int index = child - 1;
        LONG state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (list.Selected(index)) state |= STATE_SYSTEM_SELECTED;
        if (FocusedChild() == child) state |= STATE_SYSTEM_FOCUSED;
        if (list.ShowCheckBoxes() && list.Checked(index)) state |= STATE_SYSTEM_CHECKED;
        if (!list.Enabled() || !list.ItemEnabled(index)) state |= STATE_SYSTEM_UNAVAILABLE;
        TKsItemPlace place;
        if (!list.ItemPlace(index, place)) state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        return state;
    }
    std::wstring DefaultAction(LONG child) const override { return child == CHILDID_SELF ? L"" : L"Select"; }
    // As a click on the item: it becomes the item index and the selection, then the list's click runs.
    void RunDefaultAction(LONG child) override
    {
        TKsCustomListBox& list = Target();
        if (child == CHILDID_SELF || !list.Enabled()) return;
        list.SetItemIndex(child - 1);
        list.Click();
    }
    LONG ChildCount() const override { return Target().Items().Count(); }
    TRect ChildScreenRect(LONG child) const override
    {
        TKsItemPlace place;
        if (!Target().ItemPlace(child - 1, place)) return {};
        const TPoint origin = Target().ClientToScreen({0, 0});
        return place.Item.Offset(origin.X, origin.Y);
    }
    LONG ChildAtScreen(TPoint point) const override
    {
        for (LONG child = 1; child <= ChildCount(); ++child)
            if (ChildScreenRect(child).Contains(point)) return child;
        return CHILDID_SELF;
    }
    LONG FocusedChild() const override
    {
        const int index = Target().ItemIndex();
        return GetFocus() == Window() && index >= 0 ? index + 1 : 0;
    }
};

// The list box's own scroll bar, which has no window: the part OBJID_VSCROLL (or OBJID_HSCROLL in
// column mode) of the list's window.
class TListScrollBarAccessible : public TKsControlAccessible<TKsCustomListBox> {
public:
    using TKsControlAccessible::TKsControlAccessible;
    LONG Role(LONG) const override { return ROLE_SYSTEM_SCROLLBAR; }
    std::wstring Name(LONG) const override { return Bar().Kind() == sbVertical ? L"Vertical" : L"Horizontal"; }
    std::optional<std::wstring> Value(LONG) const override { return std::to_wstring(Bar().Position()); }
    LONG State(LONG) const override
    {
        LONG state = 0;
        if (!Bar().Visible()) state |= STATE_SYSTEM_INVISIBLE;
        if (!Bar().Enabled() || !Target().Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
        return state;
    }
    TRect ScreenRect() const override
    {
        const TRect bounds = Bar().BoundsRect();
        const TPoint origin = Target().ClientToScreen({0, 0});
        return bounds.Offset(origin.X, origin.Y);
    }

private:
    const TKsCustomScrollBar& Bar() const { return *Target().ScrollBar(); }
};

class TGroupBoxAccessible : public TKsControlAccessible<TKsCustomGroupBox> {
public:
    using TKsControlAccessible::TKsControlAccessible;
    LONG Role(LONG) const override { return ROLE_SYSTEM_GROUPING; }
    // Its mnemonic moves the focus to its first control: the box itself never has it.
    LONG State(LONG child) const override { return TKsControlAccessible::State(child) & ~STATE_SYSTEM_FOCUSABLE; }
    std::wstring KeyboardShortcut(LONG) const override { return AltShortcut(); }
};

class TProgressBarAccessible : public TKsControlAccessible<TKsCustomProgressBar> {
public:
    using TKsControlAccessible::TKsControlAccessible;
    LONG Role(LONG) const override { return ROLE_SYSTEM_PROGRESSBAR; }
    std::wstring Name(LONG) const override { return LabelTextFor(Target()); }
    // The share drawn, in whole percent.
    std::optional<std::wstring> Value(LONG) const override
    {
        const TKsCustomProgressBar& bar = Target();
        return std::to_wstring(RoundHalfToEven(bar.Fraction(bar.Position()) * 100.0)) + L"%";
    }
    LONG State(LONG child) const override
    {
        return (TKsControlAccessible::State(child) & ~STATE_SYSTEM_FOCUSABLE) | STATE_SYSTEM_READONLY;
    }
};

// Any other skinned control: a client area named by its caption.
class TControlAccessible : public TKsControlAccessible<TKsCustomControl> {
public:
    using TKsControlAccessible::TKsControlAccessible;
    LONG Role(LONG) const override { return ROLE_SYSTEM_CLIENT; }
};

template <typename TObject, typename C> TAccessibleObject* MakeFor(TKsCustomControl& control, LONG objectId)
{
    auto* typed = dynamic_cast<C*>(&control);
    return typed ? new TObject(*typed, objectId) : nullptr;
}

} // namespace

TAccessibleObject* TKsCustomControl::CreateAccessible(LONG objectId)
{
    if (objectId == OBJID_VSCROLL || objectId == OBJID_HSCROLL) {
        auto* list = dynamic_cast<TKsCustomListBox*>(this);
        const TScrollBarKind kind = objectId == OBJID_VSCROLL ? sbVertical : sbHorizontal;
        if (!list || !list->ScrollBar() || list->ScrollBar()->Kind() != kind) return nullptr;
        return new TListScrollBarAccessible(*list, objectId);
    }
    if (objectId != OBJID_CLIENT) return nullptr;
    // Most derived kinds first: a combo box is an edit too.
    for (auto make :
         {&MakeFor<TComboBoxAccessible, TKsCustomComboBox>, &MakeFor<TEditAccessible, TKsCustomEdit>,
          &MakeFor<TRadioButtonAccessible, TKsCustomRadioButton>, &MakeFor<TButtonAccessible, TKsCustomButton>,
          &MakeFor<TListBoxAccessible, TKsCustomListBox>, &MakeFor<TGroupBoxAccessible, TKsCustomGroupBox>,
          &MakeFor<TProgressBarAccessible, TKsCustomProgressBar>})
        if (TAccessibleObject* object = make(*this, objectId)) return object;
    return new TControlAccessible(*this, objectId);
}

#include "skinctl/KsListBoxs.h"

#include <algorithm>

TKsCustomListBox::TKsCustomListBox(TComponent* owner) : TKsCustomControl(owner)
{
    SetColor(clWindow);
    TKsCustomControl::SetBorderStyle(bsSingle);
    SetTabStop(true);
    items_.OnChange = [this](const TEkListChange& change) { ItemsChanged(change); };
    ReplaceScrollBar(new TKsCustomScrollBar(this));
    SetBounds(Left(), Top(), 121, 97);
}

TKsCustomListBox::~TKsCustomListBox() { items_.OnChange = nullptr; }

void TKsCustomListBox::ReplaceScrollBar(TKsCustomScrollBar* scrollBar)
{
    delete scrollBar_;
    scrollBar_ = scrollBar;
    scrollBar_->SetBorderWidth(0);
    scrollBar_->SetKind(sbVertical);
    scrollBar_->SetVisible(false);
    scrollBar_->SetParent(this);
    scrollBar_->OnChange = [this] { ScrollBarChanged(); };
    scrollBar_->OnScroll = [this](TKsScrollCode code, int& position) { ScrollBarScroll(code, position); };
    LayoutScrollBar();
}

void TKsCustomListBox::ItemsChanged(const TEkListChange& change)
{
    selection_.ItemsChanged(change, items_.Count());
    if (!items_.Updating()) {
        LayoutScrollBar();
        Invalidate();
    }
    if (OnItemsChanged) OnItemsChanged();
}

// ---- settings ----

void TKsCustomListBox::SetMultiSelect(bool multiSelect)
{
    selection_.SetMultiSelect(multiSelect);
    Invalidate();
}

void TKsCustomListBox::SetAllowGrayed(bool allowGrayed)
{
    selection_.SetAllowGrayed(allowGrayed);
    Invalidate();
}

void TKsCustomListBox::SetShowCheckBoxes(bool show)
{
    if (show == showCheckBoxes_) return;
    showCheckBoxes_ = show;
    // The check-box cell narrows the text column (and so wrapped heights) and, in a skinned list,
    // makes the items taller.
    LayoutScrollBar();
    Invalidate();
}

void TKsCustomListBox::SetFlat(bool flat)
{
    if (flat == flat_) return;
    flat_ = flat;
    Invalidate();
}

void TKsCustomListBox::SetAlwaysShowScrlBar(bool always)
{
    if (always == alwaysShowScrlBar_) return;
    alwaysShowScrlBar_ = always;
    LayoutScrollBar();
    Invalidate();
}

void TKsCustomListBox::SetColumns(int columns)
{
    columns = std::max(columns, 0);
    if (columns == columns_) return;
    columns_ = columns;
    scrollBar_->SetPosition(0);
    LayoutScrollBar();
    Invalidate();
}

void TKsCustomListBox::SetWordWrap(bool wordWrap)
{
    if (wordWrap == wordWrap_) return;
    wordWrap_ = wordWrap;
    LayoutScrollBar();
    Invalidate();
}

void TKsCustomListBox::SetListStyle(TKsListBoxStyle style)
{
    if (style == listStyle_) return;
    listStyle_ = style;
    if (style == lbFonts || style == lbFontSamples) FillFontList();
    if (style == lbColors || style == lbColorNames) FillColorList();
    LayoutScrollBar();
    Invalidate();
}

void TKsCustomListBox::SetFontDevice(TFontDevice device)
{
    if (device == fontDevice_) return;
    fontDevice_ = device;
    if (listStyle_ == lbFonts || listStyle_ == lbFontSamples) FillFontList();
}

void TKsCustomListBox::SetFontType(TFontType type)
{
    if (type == fontType_) return;
    fontType_ = type;
    if (listStyle_ == lbFonts || listStyle_ == lbFontSamples) FillFontList();
}

void TKsCustomListBox::SetItemHeight(int height)
{
    if (height == itemHeight_) return;
    itemHeight_ = height;
    LayoutScrollBar();
    Invalidate();
}

void TKsCustomListBox::ChangeScale(int fromDpi, int toDpi)
{
    TKsCustomControl::ChangeScale(fromDpi, toDpi);
    SetItemHeight(RescaleDpi(itemHeight_, fromDpi, toDpi));
}

void TKsCustomListBox::SetBorderStyle(TBorderStyle style)
{
    TKsCustomControl::SetBorderStyle(style);
    LayoutScrollBar();
}

void TKsCustomListBox::BoundsChanged()
{
    TKsCustomControl::BoundsChanged();
    LayoutScrollBar();
}

void TKsCustomListBox::FillFontList()
{
    items_.BeginUpdate();
    try {
        items_.Clear();
        items_.SetSorted(true);
        ApplySelection();
        for (const TKsFontFamily& family : EnumerateFontFamilies(fontDevice_, fontType_))
            items_.AddObject(family.Name, family.PitchAndFamily);
    } catch (...) {
        items_.EndUpdate();
        throw;
    }
    items_.EndUpdate();
}

void TKsCustomListBox::FillColorList()
{
    items_.BeginUpdate();
    try {
        items_.Clear();
        ApplySelection();
        items_.SetSorted(false);
        for (const wchar_t* name : ListColorNames()) items_.Add(name);
    } catch (...) {
        items_.EndUpdate();
        throw;
    }
    items_.EndUpdate();
}

// ---- items, selection and check boxes ----

void TKsCustomListBox::SetItemIndex(int index)
{
    MoveItemIndex(index);
    ApplySelection();
}

void TKsCustomListBox::MoveItemIndex(int index)
{
    if (index == selection_.ItemIndex()) {
        selection_.SetItemIndex(index);
        return;
    }
    selection_.SetItemIndex(index);
    if (selection_.ItemIndex() != -1) ScrollIntoView(selection_.ItemIndex());
}

void TKsCustomListBox::ApplySelection()
{
    selection_.Apply();
    Invalidate();
    Update();
}

void TKsCustomListBox::SetSelected(int index, bool selected)
{
    selection_.SetSelected(index, selected);
    Invalidate();
}

void TKsCustomListBox::SetItemState(int index, TKsCheckState state)
{
    selection_.SetCheckState(index, state);
    Invalidate();
}

void TKsCustomListBox::SetItemEnabled(int index, bool enabled)
{
    selection_.SetCheckEnabled(index, enabled);
    Invalidate();
}

void TKsCustomListBox::CycleCheck(int index)
{
    if (selection_.CycleCheck(index)) Invalidate();
}

// ---- layout and scrolling ----

int TKsCustomListBox::ItemHeightOf(int index, int columnWidth)
{
    if (listStyle_ == lbOwnerDrawVariable && OnMeasureItem) {
        int height = -1;
        if (Surface().DC()) {
            height = itemHeight_;
            TCanvas canvas(Surface().DC());
            canvas.SetFont(Font());
            OnMeasureItem(*this, canvas, index, height);
        }
        return height;
    }
    if (wordWrap_ && index >= 0 && index < items_.Count() && Surface().DC()) {
        const std::wstring& text = items_.Strings(index);
        RECT r{0, 0, std::max(columnWidth - 2, 1), 0};
        TSelectObject font(Surface().DC(), Font().Handle());
        DrawTextW(Surface().DC(), text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return r.bottom - r.top;
    }
    if (listStyle_ == lbFonts || listStyle_ == lbFontSamples || listStyle_ == lbColors || listStyle_ == lbColorNames)
        return 18;
    return itemHeight_;
}

bool TKsCustomListBox::OwnerDraws() const
{
    return (listStyle_ == lbOwnerDrawFixed || listStyle_ == lbOwnerDrawVariable) && OnDrawItem;
}

TKsListLayoutInput TKsCustomListBox::LayoutInput()
{
    TKsListLayoutInput input;
    input.Content = ContentRect();
    input.Count = items_.Count();
    input.Columns = columns_;
    input.AlwaysShowBar = alwaysShowScrlBar_;
    input.VariableHeights =
        wordWrap_ || listStyle_ == lbOwnerDrawFixed || listStyle_ == lbOwnerDrawVariable;
    input.BarThickness = scrollBar_ ? scrollBar_->StandardThickness() : 0;
    input.CheckCellWidth = showCheckBoxes_ ? CheckBoxCellWidth() : 0;
    input.ItemHeight = [this](int index, int width) { return ItemHeightOf(index, width); };
    return input;
}

void TKsCustomListBox::LayoutScrollBar()
{
    if (!scrollBar_) return;
    layout_ = TKsListLayout::Compute(LayoutInput());
    scrollBar_->SetKind(layout_.Horizontal ? sbHorizontal : sbVertical);
    scrollBar_->SetBoundsRect(layout_.BarRect);
    scrollBar_->SetMin(0);
    scrollBar_->SetMax(layout_.Max);
    scrollBar_->SetPageSize(layout_.PageSize);
    scrollBar_->SetEnabled(layout_.BarEnabled);
    scrollBar_->SetVisible(layout_.BarVisible);
    // Fewer items or a taller list may leave the top past the last full page.
    if (scrollBar_->Position() > layout_.TopLimit()) scrollBar_->SetPosition(layout_.TopLimit());
}

int TKsCustomListBox::TopIndex() const { return scrollBar_->Position(); }

void TKsCustomListBox::SetTopIndex(int index) { scrollBar_->SetPosition(std::min(index, layout_.TopLimit())); }

void TKsCustomListBox::VisibleRange(int& first, int& last) const
{
    auto* self = const_cast<TKsCustomListBox*>(this);
    layout_.VisibleRange(self->LayoutInput(), TopIndex(), first, last);
}

bool TKsCustomListBox::ItemPlace(int index, TKsItemPlace& place) const
{
    auto* self = const_cast<TKsCustomListBox*>(this);
    bool found = false;
    layout_.ForEachShown(self->LayoutInput(), TopIndex(), [&](const TKsItemPlace& item) {
        if (item.Index != index) return true;
        place = item;
        found = true;
        return false;
    });
    return found;
}

int TKsCustomListBox::PageItems() const
{
    if (scrollBar_->PageSize() > 0) return scrollBar_->PageSize();
    int first = 0;
    int last = 0;
    VisibleRange(first, last);
    return std::max(last - first + 1, 1);
}

void TKsCustomListBox::ScrollIntoView(int index)
{
    int top = layout_.TopToShow(LayoutInput(), TopIndex(), index);
    if (top != TopIndex()) scrollBar_->SetPosition(top);
}

void TKsCustomListBox::ScrollBarScroll(TKsScrollCode, int& position)
{
    position = std::min(position, layout_.TopLimit());
}

void TKsCustomListBox::ScrollBarChanged()
{
    if (scrollBar_->AutoRepeatUp() || scrollBar_->AutoRepeatDown()) {
        int first = 0;
        int last = 0;
        VisibleRange(first, last);
        selection_.SetItemIndex(scrollBar_->AutoRepeatUp() ? first : std::max(last, first));
        selection_.Apply();
    }
    if (lastX_ >= 0) HitTest(lastX_, lastY_);
    Invalidate();
}

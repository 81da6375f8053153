#include "skinctl/KsComboBoxs.h"

TRect TKsCustomComboBox::TextRect()
{
    TRect text = TKsCustomEdit::TextRect();
    if (buttonAlign_ == cbaRight)
        text.Right -= ButtonWidth();
    else
        text.Left += ButtonWidth();
    return text;
}

TRect TKsCustomComboBox::SelectionRect()
{
    if (comboStyle_ == kcsDropDownList) return {};
    return TKsCustomEdit::SelectionRect();
}

void TKsCustomComboBox::PaintText()
{
    if (comboStyle_ != kcsDropDownList) TKsCustomEdit::PaintText();
}

void TKsCustomComboBox::PaintSelectedText()
{
    if (comboStyle_ != kcsDropDownList) TKsCustomEdit::PaintSelectedText();
}

TRect TKsCustomComboBox::ButtonRect()
{
    TRect text = TextRect();
    if (!AutoSize()) text.Bottom = Height() - text.Top;
    TRect grown = text.Inflate(2);
    int width = ButtonWidth();
    // A strip beside the text, reaching the inside of the border.
    if (buttonAlign_ == cbaRight) return {grown.Right, grown.Top, grown.Right + width, grown.Bottom};
    return {grown.Left - width, grown.Top, grown.Left, grown.Bottom};
}

TSeState TKsCustomComboBox::FrameState() const { return FieldState(); }

TSeState TKsCustomComboBox::ButtonState() const
{
    if (!Enabled()) return ssDisabled;
    if (buttonHot_) return ssHot;
    if (HasFocus()) return ssFocused;
    return ssNormal;
}

void TKsCustomComboBox::PaintTextBackground(const TRect& rect, TKsBitmap& target)
{
    TKsCustomEdit::PaintTextBackground(rect, target);
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (buttonPressed_) state |= DFCS_PUSHED | DFCS_FLAT;
    if (!Enabled()) state |= DFCS_INACTIVE;
    RECT button = ButtonRect().ToRECT();
    DrawFrameControl(target.DC(), &button, DFC_SCROLL, state);
    PaintListItem(target);
}

void TKsCustomComboBox::PaintListItem(TKsBitmap& target)
{
    if (comboStyle_ != kcsDropDownList || itemIndex_ < 0 || itemIndex_ >= Items().Count()) return;
    TRect text = TextRect();
    // A single item is shown unselected: there is nothing to choose between.
    TOwnerDrawState state = HasFocus() && Items().Count() != 1 ? TOwnerDrawState{odSelected} : 0;
    listBox_->PaintItemTo(target, itemIndex_, text, state);
    if (HasFocus()) {
        RECT focus = text.ToRECT();
        DrawFocusRect(target.DC(), &focus);
    }
}

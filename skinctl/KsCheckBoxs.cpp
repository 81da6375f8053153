#include "skinctl/KsCheckBoxs.h"

#include "framework/Text.h"

TKsCustomRadioButton::TKsCustomRadioButton(TComponent* owner) : TKsCustomControl(owner)
{
    SetBounds(0, 0, 98, 20);
    SetTabStop(false);
    SetTransparent(true);
    SetCaption(L"RadioButton");
}

void TKsCustomRadioButton::SetChecked(bool value)
{
    if (checked_ == value) return;
    checked_ = value;
    if (checked_) {
        SetTabStop(itemTabStop_);
        ClearGroup();
        if (!IsLoading()) Click();
    } else {
        SetTabStop(false);
    }
    Invalidate();
}

void TKsCustomRadioButton::ClearGroup()
{
    if (!Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TKsCustomRadioButton*>(Parent()->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
    }
}

void TKsCustomRadioButton::SetSpacing(int value)
{
    if (spacing_ == value) return;
    spacing_ = value;
    Invalidate();
}

SIZE TKsCustomRadioButton::MarkSize() { return {ScaleValue(13), ScaleValue(13)}; }

TRect TKsCustomRadioButton::MarkRect()
{
    const SIZE mark = MarkSize();
    return TRect::FromSize(0, (Height() - mark.cy) / 2, mark.cx, mark.cy);
}

void TKsCustomRadioButton::ChangeScale(int fromDpi, int toDpi)
{
    TKsCustomControl::ChangeScale(fromDpi, toDpi);
    spacing_ = RescaleDpi(spacing_, fromDpi, toDpi);
}

void TKsCustomRadioButton::PaintFace()
{
    TKsCustomControl::PaintFace();
    PaintMark();
    PaintCaption();
}

void TKsCustomRadioButton::PaintMark()
{
    UINT state = DFCS_BUTTONRADIO;
    if (checked_) state |= DFCS_CHECKED;
    if (!Enabled()) state |= DFCS_INACTIVE;
    RECT r = MarkRect().ToRECT();
    DrawFrameControl(Surface().DC(), &r, DFC_BUTTON, state);
    GdiFlush();
}

void TKsCustomRadioButton::PaintCaption()
{
    TKsBitmap& surface = TextSurface();
    const std::wstring caption = Caption();
    const SIZE text = captionExtent_.Measure(surface.DC(), surface.Font(), caption);
    const int left = MarkSize().cx + spacing_;
    const TRect r = TRect::FromSize(left, (Height() - text.cy) / 2, text.cx, text.cy);
    const UINT format = DT_LEFT | TextDirectionFlags(*this);
    if (!Enabled()) {
        surface.Font().SetColor(clBtnHighlight);
        surface.DrawText(caption, r.Offset(1, 1), format);
        surface.Font().SetColor(clBtnShadow);
    }
    surface.DrawText(caption, r, format);
    if (HasFocus()) {
        auto s = [this](int n) { return ScaleValue(n); };
        surface.DrawFocusRect({r.Left - s(1), r.Top - s(2), r.Right + s(3), r.Bottom + s(2)}, s(1));
    }
}

void TKsCustomRadioButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TKsCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    if (CanFocus()) SetFocus();
    SetCapture(Handle());
    State().MouseDown();
    Invalidate();
}

void TKsCustomRadioButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (State().Tracking()) {
        State().MouseUp(true);
        Invalidate();
        if (GetCapture() == Handle()) ReleaseCapture();
        // The right and bottom edges themselves still count as on the button.
        if (x >= 0 && x <= Width() && y >= 0 && y <= Height() && !checked_) SetChecked(true);
    }
    TKsCustomControl::MouseUp(button, shift, x, y);
}

void TKsCustomRadioButton::KeyDown(WORD& key, TShiftState shift)
{
    TKsCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE && State().KeyDown()) Invalidate();
}

void TKsCustomRadioButton::KeyUp(WORD& key, TShiftState shift)
{
    TKsCustomControl::KeyUp(key, shift);
    if (key != VK_SPACE) return;
    if (!checked_) SetChecked(true);
    State().KeyUp();
    Invalidate();
}

void TKsCustomRadioButton::MouseEnter()
{
    TKsCustomControl::MouseEnter();
    Invalidate();
}

void TKsCustomRadioButton::MouseLeave()
{
    TKsCustomControl::MouseLeave();
    Invalidate();
}

void TKsCustomRadioButton::DoEnter()
{
    TKsCustomControl::DoEnter();
    SetChecked(true);
}

bool TKsCustomRadioButton::DialogChar(wchar_t key)
{
    if (IsAccelerator(key, Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) SetChecked(true);
        return true;
    }
    return TKsCustomControl::DialogChar(key);
}

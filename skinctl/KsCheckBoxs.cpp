#include "skinctl/KsCheckBoxs.h"

#include "framework/Text.h"

TKsCustomRadioButton::TKsCustomRadioButton(TComponent* owner) : TKsPressableControl(owner)
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
    TKsPressableControl::ChangeScale(fromDpi, toDpi);
    spacing_ = RescaleDpi(spacing_, fromDpi, toDpi);
}

void TKsCustomRadioButton::PaintFace()
{
    TKsPressableControl::PaintFace();
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
    DrawCaption(caption, r, DT_LEFT | TextDirectionFlags(*this));
    if (HasFocus()) {
        auto s = [this](int n) { return ScaleValue(n); };
        surface.DrawFocusRect({r.Left - s(1), r.Top - s(2), r.Right + s(3), r.Bottom + s(2)}, s(1));
    }
}

void TKsCustomRadioButton::PressCompleted()
{
    if (!checked_) SetChecked(true);
}

bool TKsCustomRadioButton::PointerOn(int x, int y) const { return x >= 0 && x <= Width() && y >= 0 && y <= Height(); }

void TKsCustomRadioButton::DoEnter()
{
    TKsPressableControl::DoEnter();
    SetChecked(true);
}

bool TKsCustomRadioButton::DialogChar(wchar_t key)
{
    if (IsAccelerator(key, Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) SetChecked(true);
        return true;
    }
    return TKsPressableControl::DialogChar(key);
}

#include "skinctl/KsGroupBoxs.h"

#include "framework/Text.h"

TKsCustomGroupBox::TKsCustomGroupBox(TComponent* owner) : TKsCustomControl(owner)
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 100, 90);
}

void TKsCustomGroupBox::SetCaptionMargin(int value)
{
    if (captionMargin_ == value) return;
    captionMargin_ = value;
    Invalidate();
}

TRect TKsCustomGroupBox::FrameRect()
{
    PaintFont() = Font();
    const SIZE text = extent_.Measure(TextSurface().DC(), Font(), Caption());
    return {ScaleValue(3), text.cy / 2 + ScaleValue(1), Width() - ScaleValue(2), Height() - ScaleValue(2)};
}

TRect TKsCustomGroupBox::CaptionRect()
{
    const SIZE text = extent_.Measure(Surface().DC(), Surface().Font(), Caption());
    return {captionMargin_, 0, captionMargin_ + text.cx, text.cy};
}

void TKsCustomGroupBox::ChangeScale(int fromDpi, int toDpi)
{
    TKsCustomControl::ChangeScale(fromDpi, toDpi);
    captionMargin_ = RescaleDpi(captionMargin_, fromDpi, toDpi);
}

void TKsCustomGroupBox::DrawCaption(const TRect& rect)
{
    Surface().DrawText(Caption(), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | TextDirectionFlags(*this));
}

void TKsCustomGroupBox::PaintFace()
{
    TKsCustomControl::PaintFace();
    const TRect frame = FrameRect();
    TRect caption = CaptionRect();
    const int room = ScaleValue(3);
    if (!Caption().empty()) caption = {caption.Left - room, caption.Top, caption.Right + room, caption.Bottom};
    TKsBitmap& surface = Surface();
    // Two passes, the light one and the shadow one a pixel up and left, give the etched line.
    auto outline = [&](const TRect& f, TColor color) {
        const uint32_t pixel = ColorToPixel(color);
        surface.MoveTo(f.Left, f.Top);
        surface.LineTo(caption.Left, f.Top, pixel);
        surface.MoveTo(caption.Right, f.Top);
        surface.LineTo(f.Right, f.Top, pixel);
        surface.LineTo(f.Right, f.Bottom, pixel);
        surface.LineTo(f.Left, f.Bottom, pixel);
        surface.LineTo(f.Left, f.Top, pixel);
    };
    outline(frame, clBtnHighlight);
    outline(frame.Offset(-1, -1), clBtnShadow);
    DrawCaption(caption);
}

bool TKsCustomGroupBox::DialogChar(wchar_t key)
{
    if (IsAccelerator(key, Caption()) && CanFocus()) {
        if (TWinControl* first = FindNextControl(nullptr, true, true)) first->SetFocus();
        return true;
    }
    return TKsCustomControl::DialogChar(key);
}

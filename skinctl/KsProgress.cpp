#include "skinctl/KsProgress.h"

#include "framework/Application.h"
#include "framework/SystemSettings.h"

#include <cmath>

int RoundHalfToEven(double value) { return static_cast<int>(std::nearbyint(value)); }

TKsCustomProgressBar::TKsCustomProgressBar(TComponent* owner) : TKsCustomControl(owner)
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 140, 16);
    SetTransparent(true);
}

void TKsCustomProgressBar::SetMin(int value)
{
    if (min_ == value) return;
    min_ = value;
    Invalidate();
}

void TKsCustomProgressBar::SetMax(int value)
{
    if (max_ == value) return;
    max_ = value;
    Invalidate();
}

void TKsCustomProgressBar::SetPosition(int value)
{
    if (position_ == value) return;
    const float before = Fraction(position_);
    position_ = value;
    if (Fraction(position_) == before) return;
    Invalidate();
    if (Application) Application->ProcessMessages();
}

void TKsCustomProgressBar::SetOrientation(TKsBarOrientation value)
{
    if (orientation_ == value) return;
    orientation_ = value;
    Invalidate();
}

void TKsCustomProgressBar::SetBorderWidth(int value)
{
    if (borderWidth_ == value) return;
    borderWidth_ = value;
    Invalidate();
}

void TKsCustomProgressBar::SetShowBorder(bool value)
{
    if (showBorder_ == value) return;
    showBorder_ = value;
    Invalidate();
}

void TKsCustomProgressBar::SetSmooth(bool value)
{
    if (smooth_ == value) return;
    smooth_ = value;
    Invalidate();
}

float TKsCustomProgressBar::Fraction(int position) const
{
    if (min_ < 0 || position < min_ || position > max_ || max_ == min_) return 0.0f;
    return static_cast<float>(static_cast<double>(position - min_) / (static_cast<double>(max_) - min_));
}

TRect TKsCustomProgressBar::BarArea()
{
    TRect area{0, 0, Width(), Height()};
    if (showBorder_) area = area.Inflate(-ScaleValue(2));
    return area.Inflate(-borderWidth_);
}

TRect TKsCustomProgressBar::FilledRect(const TRect& area) const
{
    const int length = orientation_ == kboHorizontal ? area.Width() : area.Height();
    const int filled = RoundHalfToEven(static_cast<double>(Fraction(position_)) * length);
    TRect bar = area;
    if (orientation_ == kboHorizontal)
        bar.Right = area.Left + filled;
    else
        bar.Top = area.Bottom - filled;
    return bar;
}

void TKsCustomProgressBar::PaintFace()
{
    TKsCustomControl::PaintFace();
    PaintTrough();
    PaintBar();
}

void TKsCustomProgressBar::PaintTrough()
{
    TKsBitmap& surface = Surface();
    TRect r{0, 0, Width(), Height()};
    if (showBorder_) {
        surface.FrameRect(r, ColorToPixel(clBtnShadow), ColorToPixel(clBtnHighlight));
        r = r.Inflate(-1);
    }
    surface.FillRect(r, ColorToPixel(ContrastColor(Color(), clBtnFace)));
}

void TKsCustomProgressBar::PaintBar()
{
    const TRect area = BarArea();
    if (smooth_)
        Surface().FillRect(FilledRect(area), ColorToPixel(clHighlight));
    else
        PaintBlocks(area);
}

void TKsCustomProgressBar::PaintBlocks(const TRect& area)
{
    const bool horizontal = orientation_ == kboHorizontal;
    const int length = horizontal ? area.Width() : area.Height();
    const int thickness = horizontal ? area.Height() : area.Width();
    // Blocks two design pixels apart.
    const int gap = ScaleValue(2);
    const int step = RoundHalfToEven(thickness * 0.64) + gap;
    // A bar area too thin for a block (a control only a pixel or two high inside its border) would
    // give no step to divide by: nothing is drawn.
    if (area.IsEmpty() || step <= 0) return;
    const int count = length / step;
    const float fraction = Fraction(position_);
    const int last = RoundHalfToEven(static_cast<double>(fraction) * count);
    // The fraction is compared as the 32-bit value it is: one hundredth itself counts as below.
    if (static_cast<long double>(fraction) < 0.01L || last < 0) return;
    const uint32_t pixel = ColorToPixel(clHighlight);
    for (int i = 0; i <= last; ++i) {
        const int from = i * step;
        const TRect block = horizontal
                                ? TRect{area.Left + from, area.Top, area.Left + from + step - gap, area.Bottom}
                                : TRect{area.Left, area.Bottom - from - step + gap, area.Right, area.Bottom - from};
        Surface().FillRect(block.Intersect(area), pixel);
    }
}

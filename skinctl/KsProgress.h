#pragma once

#include "skinctl/KsControls.h"

enum TKsBarOrientation { kboHorizontal, kboVertical };

// Shows Position between Min and Max as the filled part of a trough, as one bar or as blocks. Moving
// the position lets pending window messages through whenever the drawn fraction changes: that is
// where a long command running on the window's thread lets the user's clicks in.
class TKsCustomProgressBar : public TKsCustomControl {
public:
    explicit TKsCustomProgressBar(TComponent* owner);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // Not clamped to Min and Max.
    int Position() const { return position_; }
    void SetPosition(int value);
    TKsBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TKsBarOrientation value);
    // Extra inner margin of the bar.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    bool ShowBorder() const { return showBorder_; }
    void SetShowBorder(bool value);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);

    // The drawn share of position p: (p - Min) / (Max - Min) when Min >= 0, Min <= p <= Max and
    // Max != Min, else 0.
    float Fraction(int position) const;

protected:
    // The rectangle the bar may fill.
    virtual TRect BarArea();
    virtual void PaintBar();
    virtual void PaintTrough();
    void PaintFace() override;
    // The filled part of area: f = fraction x length (rounded, halves to even) from the left, or up
    // from the bottom when vertical.
    TRect FilledRect(const TRect& area) const;

private:
    void PaintBlocks(const TRect& area);

    int max_ = 100;
    int min_ = 0;
    int position_ = 0;
    TKsBarOrientation orientation_ = kboHorizontal;
    int borderWidth_ = 0;
    bool showBorder_ = true;
    bool smooth_ = false;
};

// Rounds to the nearest integer, a half to the even neighbour.
int RoundHalfToEven(double value);

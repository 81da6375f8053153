#pragma once

#include "skinctl/KsScrollBars.h"
#include "skinctl/KsSkinBinding.h"

// The scroll bar drawn through the skin object named by SkinObject ("ScrollBar"): "HorzFrame" or
// "VertFrame" (else "Frame") as the track over the whole bar, "LeftButton"/"RightButton" or
// "TopButton"/"BottomButton" as the arrows and "HorzSlider" or "VertSlider" (else "Slider") as the
// thumb. Parts the skin lacks fall back to the plain drawing or to nothing, never to a failure.
class TSeSkinScrollBar : public TSeSkinned<TKsCustomScrollBar> {
public:
    explicit TSeSkinScrollBar(TComponent* owner);

    // The thickness of the skin's track part when it has one.
    int StandardThickness() const override;

protected:
    int ArrowMetric() const override;
    void PaintBarBorder() override;
    void PaintTrack(const TRect& track) override;
    void PaintArrow(TKsScrollPart arrow, const TRect& rect) override;
    void PaintThumb(const TRect& rect) override;
    void PaintPressedPage(const TRect& rect) override;
    void SkinCopied(TSeSkinObject& copy) override;

private:
    TSeSkinObject* TrackPart() const;
    void DrawPart(TSeSkinObject* part, const TRect& rect, int state);
};

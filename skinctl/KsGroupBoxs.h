#pragma once

#include "skinctl/KsControls.h"

// A container that frames its child controls with an etched rectangle broken at the top by its
// caption, CaptionMargin pixels from the left edge.
class TKsCustomGroupBox : public TKsCustomControl {
public:
    explicit TKsCustomGroupBox(TComponent* owner);

    int CaptionMargin() const { return captionMargin_; }
    void SetCaptionMargin(int value);

protected:
    // (3, caption height div 2 + 1, width - 2, height - 2), measured with Font.
    virtual TRect FrameRect();
    // Where the caption stands: (CaptionMargin, 0, CaptionMargin + text width, text height) in the
    // surface's current font.
    TRect CaptionRect();
    // The caption centred in rect, single line, in the surface's current font.
    void DrawCaption(const TRect& rect);
    void PaintFace() override;
    bool DialogChar(wchar_t key) override;
    void ChangeScale(int fromDpi, int toDpi) override;

private:
    int captionMargin_ = 12;
    TKsTextExtent extent_;
};

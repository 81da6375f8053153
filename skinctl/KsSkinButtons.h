#pragma once

#include "skinctl/KsButtons.h"
#include "skinctl/KsSkinBinding.h"

// The button drawn through the skin object named by SkinObject ("Button"): its part "Face" (or the
// object itself) by the face state, the caption in the font of its part "Text". Without a usable
// skin it draws the plain look.
class TSeSkinButton : public TSeSkinned<TKsCustomButton> {
public:
    explicit TSeSkinButton(TComponent* owner);

    bool ShowCaption() const { return showCaption_; }
    // Shows at the next repaint.
    void SetShowCaption(bool value) { showCaption_ = value; }
    bool ShowGlyph() const { return showGlyph_; }
    void SetShowGlyph(bool value) { showGlyph_ = value; }

protected:
    void PaintFrame() override;
    void PaintCaption() override;
    void PaintGlyph() override;

private:
    bool showCaption_ = true;
    bool showGlyph_ = true;
};

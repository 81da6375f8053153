#pragma once

#include "skinctl/KsCheckBoxs.h"
#include "skinctl/KsSkinBinding.h"

// The radio button drawn through the skin object named by SkinObject ("RadioButton"): its part
// "Checked" or "Unchecked" as the mark, the caption in the font of its part "Text".
class TSeSkinRadioButton : public TSeSkinned<TKsCustomRadioButton> {
public:
    explicit TSeSkinRadioButton(TComponent* owner);

protected:
    SIZE MarkSize() override;
    void PaintMark() override;
    void PaintCaption() override;

private:
    // Disabled, else hot, else focused, else normal; a press does not show.
    TSeState MarkState() const;
};

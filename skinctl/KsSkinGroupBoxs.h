#pragma once

#include "skinctl/KsGroupBoxs.h"
#include "skinctl/KsSkinBinding.h"

// The group box drawn through the skin object named by SkinObject ("GroupBox"): its part "Frame"
// around the children and its part "Caption" behind the caption text. Transparent by default.
class TSeSkinGroupBox : public TSeSkinned<TKsCustomGroupBox> {
public:
    explicit TSeSkinGroupBox(TComponent* owner);

protected:
    void PaintFace() override;
};

#pragma once

#include "skinctl/KsProgress.h"
#include "skinctl/KsSkinBinding.h"

// The progress bar drawn through the skin object named by SkinObject ("ProgressBar"): its part
// "Frame" as the trough and "BarHorz" or "BarVert" (else "Bar") tiled over the filled part.
class TSeSkinProgressBar : public TSeSkinned<TKsCustomProgressBar> {
public:
    explicit TSeSkinProgressBar(TComponent* owner);

protected:
    TRect BarArea() override;
    void PaintBar() override;
    void PaintTrough() override;
};

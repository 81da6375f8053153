#include "skinctl/KsAccessible.h"

#include "framework/StdCtrls.h"
#include "skinctl/KsCheckBoxs.h"

namespace {

bool CaptionLabels(const TControl& control)
{
    return dynamic_cast<const TLabel*>(&control) || dynamic_cast<const TKsCustomRadioButton*>(&control);
}

bool Overlap(int aFrom, int aTo, int bFrom, int bTo) { return aFrom < bTo && bFrom < aTo; }

} // namespace

std::wstring LabelTextFor(const TControl& control)
{
    const TWinControl* parent = control.Parent();
    if (!parent) return {};
    const TRect self = control.BoundsRect();
    const TControl* label = nullptr;
    int labelGap = 2 * self.Height() + 1;
    bool labelLeft = false;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        const TControl* other = parent->Controls(i);
        if (other == &control || !other->Visible() || !CaptionLabels(*other)) continue;
        const TRect r = other->BoundsRect();
        const bool left = r.Right <= self.Left && Overlap(r.Top, r.Bottom, self.Top, self.Bottom);
        const bool above = r.Bottom <= self.Top && Overlap(r.Left, r.Right, self.Left, self.Right);
        if (!left && !above) continue;
        const int gap = left ? self.Left - r.Right : self.Top - r.Bottom;
        if (gap < labelGap || (gap == labelGap && left && !labelLeft)) {
            label = other;
            labelGap = gap;
            labelLeft = left;
        }
    }
    return label ? Trim(StripHotkey(label->Caption())) : std::wstring();
}

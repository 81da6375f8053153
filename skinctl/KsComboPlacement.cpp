#include "skinctl/KsComboPlacement.h"

TRect DropDownRect(const TRect& combo, int height, const TRect& display)
{
    TRect rect = TRect::FromSize(combo.Left, combo.Bottom, combo.Width(), height);
    if (rect.Bottom > display.Bottom) rect = TRect::FromSize(rect.Left, combo.Top - height, rect.Width(), height);
    if (rect.Right > display.Right) rect = TRect::FromSize(display.Right - combo.Width(), rect.Top, rect.Width(), height);
    return rect;
}

#pragma once

#include "skinwin/KsItems.h"

// Tells assistive tools that the selected item of a tracking view has the focus again (after a
// popup opened from it closed); nothing when the view no longer tracks or has no selection.
void AnnounceMenuFocus(TKsItemView& view);

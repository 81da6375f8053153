#pragma once

#include "framework/ShortCuts.h"
#include "skinwin/KsForms.h"

#include <string>
#include <vector>

// The commands of a frame's system menu, in menu order.
enum TKsSystemCommand { scRestore, scMinimize, scMaximize, scRollup, scTray, scSeparator, scClose };

struct TKsSystemMenuEntry {
    TKsSystemCommand Command;
    std::wstring Caption;
    // Named at the right of the caption; scNone for none.
    TShortCut ShortCut;
    // Index into the system-menu images (SystemMenuImages), or -1.
    int ImageIndex;
};

// The entries a frame with these border icons offers in this state: restore out of any state but
// normal; minimize, maximize, roll up and tray where the icon is set and the state allows them;
// close (after a separator when anything stands above it) where the close icon is set.
std::vector<TKsSystemMenuEntry> SystemMenuEntries(TKsBorderIcons icons, TKsWindowState state);

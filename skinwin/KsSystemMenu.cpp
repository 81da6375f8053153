#include "skinwin/KsSystemMenu.h"

#include "skinwin/KsFormResources.h"

std::vector<TKsSystemMenuEntry> SystemMenuEntries(TKsBorderIcons icons, TKsWindowState state)
{
    auto in = [state](std::initializer_list<TKsWindowState> states) {
        for (TKsWindowState s : states)
            if (s == state) return true;
        return false;
    };
    std::vector<TKsSystemMenuEntry> entries;
    if (state != kwsNormal) entries.push_back({scRestore, L"&Restore", L"", smiRestore});
    if (icons.Contains(kbiMinimize) && in({kwsNormal, kwsMaximized, kwsRollup}))
        entries.push_back({scMinimize, L"Mi&nimize", L"", smiMinimize});
    if (icons.Contains(kbiMaximize) && in({kwsNormal, kwsRollup}))
        entries.push_back({scMaximize, L"Ma&ximize", L"", smiMaximize});
    if (icons.Contains(kbiRollup) && in({kwsNormal, kwsMaximized}))
        entries.push_back({scRollup, L"Ro&llup", L"", smiRollup});
    if (icons.Contains(kbiTray) && in({kwsNormal, kwsMaximized, kwsRollup}))
        entries.push_back({scTray, L"Minimize to &Tray", L"", smiTray});
    if (icons.Contains(kbiClose)) {
        if (!entries.empty()) entries.push_back({scSeparator, L"-", L"", -1});
        entries.push_back({scClose, L"&Close", L"Alt+F4", smiClose});
    }
    return entries;
}

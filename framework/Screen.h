#pragma once

#include "framework/Types.h"

#include <windows.h>

#include <vector>

class TCustomForm;

// One display of the desktop.
struct TMonitor {
    HMONITOR Handle = nullptr;
    TRect BoundsRect;
    TRect WorkareaRect;
    bool Primary = false;
};

// The desktop as the program sees it: its forms in creation order, its size, work area and monitors.
class TScreen {
public:
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(index); }
    // The form whose window is the active one, or none.
    TCustomForm* ActiveForm() const;

    // Size of the primary display.
    int Width() const;
    int Height() const;
    // The primary display's area not covered by task bars.
    TRect WorkAreaRect() const;
    std::vector<TMonitor> Monitors() const;
    TMonitor MonitorFromWindow(HWND window) const;

private:
    friend class TCustomForm;
    void AddForm(TCustomForm* form) { forms_.push_back(form); }
    void RemoveForm(TCustomForm* form);

    std::vector<TCustomForm*> forms_;
};

extern TScreen* Screen;

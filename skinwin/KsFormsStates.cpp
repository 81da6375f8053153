#include "skinwin/KsForms.h"

// The window states as far as the frame needs them today: maximize, minimize, roll up and restore
// keep the current and previous state and the normal bounds; the notification-area state and the
// system menu come with the frame's command side.

void TKsCustomForm::SaveNormalBounds()
{
    if (windowState_ == kwsNormal || windowState_ == kwsTray) normalBounds_ = WindowScreenRect();
}

void TKsCustomForm::Maximize()
{
    HWND window = FormWindow();
    if (!window) return;
    if (windowState_ == kwsMaximized) {
        Restore();
        return;
    }
    SaveNormalBounds();
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    previousState_ = windowState_;
    windowState_ = kwsMaximized;
    SetFormBounds(MaximizedRect());
    if (TCustomForm* form = Form()) form->Invalidate();
    PaintNonClient();
}

void TKsCustomForm::Minimize()
{
    HWND window = FormWindow();
    if (!window) return;
    if (windowState_ == kwsMinimized) {
        Restore();
        return;
    }
    SaveNormalBounds();
    previousState_ = windowState_;
    windowState_ = kwsMinimized;
    ShowWindow(window, SW_MINIMIZE);
}

void TKsCustomForm::RollUp()
{
    HWND window = FormWindow();
    if (!window) return;
    if (windowState_ == kwsRollup) {
        Restore();
        return;
    }
    SaveNormalBounds();
    TRect rolled = RollupRect();
    previousState_ = windowState_;
    windowState_ = kwsRollup;
    SetFormBounds(rolled);
    PaintNonClient();
}

void TKsCustomForm::Restore()
{
    HWND window = FormWindow();
    if (!window) return;
    switch (windowState_) {
    case kwsNormal:
        if (!normalBounds_.IsEmpty()) SetFormBounds(normalBounds_);
        break;
    case kwsMinimized: {
        // Back to the state the window was minimized from; the platform brings back its place.
        TKsWindowState target =
            previousState_ == kwsMaximized || previousState_ == kwsRollup ? previousState_ : kwsNormal;
        previousState_ = target == kwsNormal ? kwsMinimized : kwsNormal;
        windowState_ = target;
        ShowWindow(window, SW_RESTORE);
        break;
    }
    case kwsMaximized:
        previousState_ = kwsMaximized;
        windowState_ = kwsNormal;
        SetFormBounds(normalBounds_);
        if (TCustomForm* form = Form()) form->Invalidate();
        break;
    case kwsRollup:
        if (MaximizedRect().Width() == frameSize_.cx || previousState_ == kwsMaximized) {
            previousState_ = kwsNormal;
            windowState_ = kwsMaximized;
            SetFormBounds(MaximizedRect());
            if (TCustomForm* form = Form()) form->Invalidate();
        } else {
            TRect current = WindowScreenRect();
            previousState_ = kwsRollup;
            windowState_ = kwsNormal;
            SetFormBounds(TRect::FromSize(current.Left, current.Top, normalBounds_.Width(), normalBounds_.Height()));
        }
        break;
    case kwsTray:
        windowState_ = kwsNormal;
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        break;
    }
    PaintNonClient();
}

// The notification-area icon and the frame's own system menu come with the frame's command side;
// until then these leave the window as it is.
void TKsCustomForm::MinimizeToTray() {}

void TKsCustomForm::ShowSystemMenu() {}

void TKsCustomForm::Close()
{
    if (TCustomForm* form = Form()) form->Close();
}

void TKsCustomForm::ContextHelp()
{
    if (HWND window = FormWindow()) SendMessageW(window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
}

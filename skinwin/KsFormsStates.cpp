#include "skinwin/KsForms.h"

#include "framework/Application.h"

// The window states: maximize, minimize, roll up and the notification area, each remembering the
// state it left so that restore can go back to it, and the normal bounds saved when the window
// leaves the normal state.

bool TKsCustomForm::FormModal() const
{
    TCustomForm* form = Form();
    return form && form->Modal();
}

void TKsCustomForm::SaveNormalBounds()
{
    if (windowState_ == kwsNormal || windowState_ == kwsTray) normalBounds_ = FormRect();
}

void TKsCustomForm::LeavePlatformMinimized()
{
    HWND window = FormWindow();
    if (minimizeApplication_ && Application->Minimized())
        Application->Restore();
    else if (window && IsIconic(window))
        ShowWindow(window, SW_RESTORE);
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
    previousState_ = windowState_;
    windowState_ = kwsMaximized;
    LeavePlatformMinimized();
    SetFormBounds(MaximizedRect());
    if (TCustomForm* form = Form()) form->Invalidate();
    PaintNonClient();
    StateChanged();
}

void TKsCustomForm::Minimize()
{
    HWND window = FormWindow();
    if (!window || FormModal()) return;
    if (windowState_ == kwsMinimized) {
        Restore();
        return;
    }
    SaveNormalBounds();
    previousState_ = windowState_;
    windowState_ = kwsMinimized;
    minimizedInPlace_ = false;
    if (minimizeApplication_) {
        // The program goes to its task-bar button; a form outside a program with a main form goes alone.
        if (Application->MainForm())
            Application->Minimize();
        else
            ShowWindow(window, SW_MINIMIZE);
        return;
    }
    minimizedInPlace_ = true;
    SetFormBounds(MinimizedRect());
    PaintNonClient();
    StateChanged();
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
    previousState_ = windowState_;
    windowState_ = kwsRollup;
    LeavePlatformMinimized();
    SetFormBounds(RollupRect());
    PaintNonClient();
    StateChanged();
}

void TKsCustomForm::MinimizeToTray()
{
    HWND window = FormWindow();
    if (!window || FormModal()) return;
    if (windowState_ == kwsTray) {
        Restore();
        return;
    }
    if (windowState_ == kwsNormal) normalBounds_ = FormRect();
    const TKsWindowState before = windowState_;
    const TKsWindowState beforePrevious = previousState_;
    previousState_ = windowState_;
    windowState_ = kwsTray;
    std::wstring tip;
    if (minimizeApplication_) {
        tip = Application->Title();
        Application->Minimize();
        if (TCustomForm* mainForm = Application->MainForm(); mainForm && mainForm->HandleAllocated())
            ShowWindow(mainForm->Handle(), SW_HIDE);
    } else {
        tip = CaptionText();
    }
    ShowWindow(window, SW_HIDE);
    createStatus_ = AddTrayIcon(CutTrayTip(tip));
    if (createStatus_) return;
    // Without an icon there would be no way back to a hidden window: it stays where it was.
    LeaveTray();
    windowState_ = before;
    previousState_ = beforePrevious;
    PaintNonClient();
}

void TKsCustomForm::LeaveTray()
{
    HWND window = FormWindow();
    if (minimizeApplication_ && Application->Minimized()) Application->Restore();
    if (window) {
        if (IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        else
            ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
    }
    RemoveTrayIcon();
}

void TKsCustomForm::ReturnTo(TKsWindowState state, TKsWindowState leaving)
{
    switch (state) {
    case kwsMaximized:
        windowState_ = kwsMaximized;
        previousState_ = kwsNormal;
        SetFormBounds(MaximizedRect());
        if (TCustomForm* form = Form()) form->Invalidate();
        break;
    case kwsRollup:
        // Rolled up from the normal bounds, as the window was before.
        windowState_ = kwsNormal;
        if (!normalBounds_.IsEmpty()) SetFormBounds(normalBounds_);
        RollUp();
        break;
    default:
        windowState_ = kwsNormal;
        previousState_ = leaving;
        if (!normalBounds_.IsEmpty()) SetFormBounds(normalBounds_);
        break;
    }
}

void TKsCustomForm::Restore()
{
    HWND window = FormWindow();
    if (!window) return;
    switch (windowState_) {
    case kwsNormal:
        if (!normalBounds_.IsEmpty()) SetFormBounds(normalBounds_);
        break;
    case kwsMaximized:
        if (previousState_ == kwsMinimized) {
            if (minimizeApplication_) return;
            ReturnTo(kwsNormal, kwsMaximized);
            Maximize();
        } else if (previousState_ == kwsRollup) {
            ReturnTo(kwsNormal, kwsMaximized);
            RollUp();
        } else {
            ReturnTo(kwsNormal, kwsMaximized);
            if (dropShadow_)
                if (TCustomForm* form = Form()) form->Invalidate();
        }
        break;
    case kwsMinimized: {
        TKsWindowState target = previousState_;
        // Not minimized any more while the platform brings the window back, so the frame does not
        // take the platform's restore for one of its own.
        windowState_ = kwsNormal;
        minimizedInPlace_ = false;
        LeavePlatformMinimized();
        ReturnTo(target == kwsMaximized || target == kwsRollup ? target : kwsNormal, kwsMinimized);
        break;
    }
    case kwsRollup:
        if (MaximizedRect().Width() == frameSize_.cx || previousState_ == kwsMaximized) {
            ReturnTo(kwsMaximized, kwsRollup);
        } else {
            TRect current = FormRect();
            previousState_ = kwsRollup;
            windowState_ = kwsNormal;
            SetFormBounds(TRect::FromSize(current.Left, current.Top, normalBounds_.Width(), normalBounds_.Height()));
        }
        break;
    case kwsTray: {
        TKsWindowState target = previousState_;
        windowState_ = kwsNormal;
        LeaveTray();
        ReturnTo(target == kwsMaximized || target == kwsRollup ? target : kwsNormal, kwsTray);
        break;
    }
    }
    PaintNonClient();
    StateChanged();
}

void TKsCustomForm::StateChanged()
{
    if (MDIChild()) UpdateMDIState();
}

void TKsCustomForm::Close()
{
    TCustomForm* form = Form();
    if (!form) return;
    if (form->Modal()) {
        form->SetModalResult(mrCancel);
        return;
    }
    form->Close();
}

void TKsCustomForm::ContextHelp()
{
    if (HWND window = FormWindow()) SendMessageW(window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
}

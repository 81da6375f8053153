#include "skinwin/KsForms.h"

#include "framework/Application.h"

// The window states: the frame's state machine decides, and the frame moves, hides and shows the
// window as each change asks.

bool TKsCustomForm::FormModal() const
{
    TCustomForm* form = Form();
    return form && form->Modal();
}

TKsStateContext TKsCustomForm::StateContext()
{
    TKsStateContext context;
    context.Bounds = FormRect();
    context.Modal = FormModal();
    context.MinimizeApplication = minimizeApplication_;
    context.DropShadow = dropShadow_;
    context.AtMaximizedWidth = MaximizedRect().Width() == frameSize_.cx;
    return context;
}

void TKsCustomForm::CarryOut(const TKsStateChange& change)
{
    if (!change.Happens) return;
    if (change.LeaveTray) LeaveTray();
    if (change.LeavePlatformMinimized) LeavePlatformMinimized();
    for (const TKsPlacement& placement : change.Placements) {
        switch (placement.Place) {
        case wpNormal:
            if (!placement.Bounds.IsEmpty()) SetFormBounds(placement.Bounds);
            break;
        case wpMaximized:
            SetFormBounds(MaximizedRect());
            break;
        case wpMinimized:
            SetFormBounds(MinimizedRect());
            break;
        case wpRolledUp:
            SetFormBounds(RollupRect());
            break;
        }
    }
    switch (change.Exit) {
    case weMinimizedByPlatform:
        // The program goes to its task-bar button; a form outside a program with a main form goes alone.
        if (Application->MainForm())
            Application->Minimize();
        else if (HWND window = FormWindow())
            ShowWindow(window, SW_MINIMIZE);
        return;
    case weTray:
        EnterTray();
        return;
    case weNone:
        break;
    }
    if (change.Invalidate)
        if (TCustomForm* form = Form()) form->Invalidate();
    if (change.Paint) PaintNonClient();
    StateChanged();
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
    if (FormWindow()) CarryOut(states_.Maximize(StateContext()));
}

void TKsCustomForm::Minimize()
{
    if (FormWindow()) CarryOut(states_.Minimize(StateContext()));
}

void TKsCustomForm::RollUp()
{
    if (FormWindow()) CarryOut(states_.RollUp(StateContext()));
}

void TKsCustomForm::MinimizeToTray()
{
    if (FormWindow()) CarryOut(states_.MinimizeToTray(StateContext()));
}

void TKsCustomForm::Restore()
{
    if (FormWindow()) CarryOut(states_.Restore(StateContext()));
}

void TKsCustomForm::EnterTray()
{
    std::wstring tip;
    if (minimizeApplication_) {
        tip = Application->Title();
        Application->Minimize();
        if (TCustomForm* mainForm = Application->MainForm(); mainForm && mainForm->HandleAllocated())
            ShowWindow(mainForm->Handle(), SW_HIDE);
    } else {
        tip = CaptionText();
    }
    if (HWND window = FormWindow()) ShowWindow(window, SW_HIDE);
    createStatus_ = AddTrayIcon(CutTrayTip(tip));
    if (!createStatus_) CarryOut(states_.TrayIconFailed());
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

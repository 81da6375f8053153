#include "skinwin/KsWindowStateMachine.h"

#include <utility>

namespace {

TKsStateChange Happening()
{
    TKsStateChange change;
    change.Happens = true;
    return change;
}

} // namespace

void TKsWindowStateMachine::Set(TKsWindowState state, TKsWindowState previous)
{
    state_ = state;
    previous_ = previous;
    captureHeld_ = previous_ == kwsMaximized;
}

void TKsWindowStateMachine::Enter(TKsWindowState state)
{
    // Leaving the minimized state for maximized or rolled up is a restore that ends there: the
    // next restore gives the normal bounds.
    const bool restoring = state_ == kwsMinimized && (state == kwsMaximized || state == kwsRollup);
    Set(state, restoring ? kwsNormal : state_);
}

TKsWindowState TKsWindowStateMachine::WayBack() const
{
    return previous_ == kwsMaximized || previous_ == kwsRollup ? previous_ : kwsNormal;
}

void TKsWindowStateMachine::SaveNormalBounds(const TRect& bounds)
{
    if (state_ == kwsNormal || state_ == kwsTray) normal_ = bounds;
}

TKsStateChange TKsWindowStateMachine::Maximize(const TKsStateContext& context)
{
    if (state_ == kwsMaximized) return Restore(context);
    SaveNormalBounds(context.Bounds);
    Enter(kwsMaximized);
    TKsStateChange change = Happening();
    change.LeavePlatformMinimized = true;
    change.Placements = {{wpMaximized, TRect()}};
    change.Invalidate = true;
    change.Paint = true;
    return change;
}

TKsStateChange TKsWindowStateMachine::Minimize(const TKsStateContext& context)
{
    if (context.Modal) return {};
    if (state_ == kwsMinimized) return Restore(context);
    SaveNormalBounds(context.Bounds);
    Enter(kwsMinimized);
    minimizedInPlace_ = !context.MinimizeApplication;
    TKsStateChange change = Happening();
    if (context.MinimizeApplication) {
        change.Exit = weMinimizedByPlatform;
    } else {
        change.Placements = {{wpMinimized, TRect()}};
        change.Paint = true;
    }
    return change;
}

TKsStateChange TKsWindowStateMachine::RollUp(const TKsStateContext& context)
{
    if (state_ == kwsRollup) return Restore(context);
    SaveNormalBounds(context.Bounds);
    Enter(kwsRollup);
    TKsStateChange change = Happening();
    change.LeavePlatformMinimized = true;
    change.Placements = {{wpRolledUp, TRect()}};
    change.Paint = true;
    return change;
}

TKsStateChange TKsWindowStateMachine::MinimizeToTray(const TKsStateContext& context)
{
    if (context.Modal) return {};
    if (state_ == kwsTray) return Restore(context);
    if (state_ == kwsNormal) normal_ = context.Bounds;
    beforeTray_ = {state_, previous_};
    Enter(kwsTray);
    TKsStateChange change = Happening();
    change.Exit = weTray;
    return change;
}

TKsStateChange TKsWindowStateMachine::TrayIconFailed()
{
    Set(beforeTray_.first, beforeTray_.second);
    TKsStateChange change = Happening();
    change.LeaveTray = true;
    change.Paint = true;
    return change;
}

TKsStateChange TKsWindowStateMachine::ReturnTo(TKsWindowState state, TKsWindowState leaving, TKsStateChange change)
{
    change.Happens = true;
    change.Paint = true;
    switch (state) {
    case kwsMaximized:
        Set(kwsMaximized, kwsNormal);
        change.Placements.push_back({wpMaximized, TRect()});
        change.Invalidate = true;
        break;
    case kwsRollup:
        // Rolled up from the normal bounds, as the window was before.
        Set(kwsRollup, kwsNormal);
        change.Placements.push_back(Normal());
        change.Placements.push_back({wpRolledUp, TRect()});
        break;
    default:
        Set(kwsNormal, leaving);
        change.Placements.push_back(Normal());
        break;
    }
    return change;
}

TKsStateChange TKsWindowStateMachine::Restore(const TKsStateContext& context)
{
    const TKsWindowState target = WayBack();
    TKsStateChange change = Happening();
    switch (state_) {
    case kwsNormal:
        change.Placements = {Normal()};
        change.Paint = true;
        return change;
    case kwsMaximized:
        if (previous_ == kwsRollup) return ReturnTo(kwsRollup, kwsMaximized, change);
        change.Invalidate = context.DropShadow;
        return ReturnTo(kwsNormal, kwsMaximized, change);
    case kwsMinimized:
        minimizedInPlace_ = false;
        change.LeavePlatformMinimized = true;
        return ReturnTo(target, kwsMinimized, change);
    case kwsRollup:
        if (context.AtMaximizedWidth || previous_ == kwsMaximized) return ReturnTo(kwsMaximized, kwsRollup, change);
        Set(kwsNormal, kwsRollup);
        change.Placements = {
            {wpNormal, TRect::FromSize(context.Bounds.Left, context.Bounds.Top, normal_.Width(), normal_.Height())}};
        change.Paint = true;
        return change;
    case kwsTray:
        change.LeaveTray = true;
        return ReturnTo(target, kwsTray, change);
    }
    return {};
}

void TKsWindowStateMachine::PlatformMinimized(const TRect& bounds)
{
    if (state_ == kwsMinimized || state_ == kwsTray) return;
    SaveNormalBounds(bounds);
    Enter(kwsMinimized);
    minimizedInPlace_ = false;
}

TKsStateChange TKsWindowStateMachine::PlatformRestored()
{
    const TKsWindowState target = WayBack();
    Set(target, target == kwsNormal ? kwsMinimized : kwsNormal);
    TKsStateChange change = Happening();
    change.Paint = true;
    return change;
}

bool TKsWindowStateMachine::MayCaptureBackground(bool blend)
{
    if (blend) return true;
    if (state_ == kwsMaximized) return false;
    return !std::exchange(captureHeld_, false);
}

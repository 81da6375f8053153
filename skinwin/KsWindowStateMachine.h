#pragma once

#include "framework/Types.h"

#include <utility>
#include <vector>

enum TKsWindowState { kwsNormal, kwsMaximized, kwsMinimized, kwsRollup, kwsTray };

// The bounds a change of state gives the window.
enum TKsWindowPlace {
    // The Bounds of the placement: the saved normal bounds, or the normal size where the window stands.
    wpNormal,
    // The frame's maximized, minimized and rolled-up rectangles, taken when the placement is made.
    wpMaximized,
    wpMinimized,
    wpRolledUp
};

struct TKsPlacement {
    TKsWindowPlace Place = wpNormal;
    // For wpNormal; empty when no normal bounds were saved: the window then stays where it is.
    TRect Bounds;
    friend bool operator==(const TKsPlacement&, const TKsPlacement&) = default;
};

// How the window leaves the screen at the end of a change.
enum TKsWindowExit { weNone, weMinimizedByPlatform, weTray };

// What the frame does to carry out a change of state, in this order: the window comes back from
// the notification area or from the platform's minimized state, takes the placements in turn,
// leaves the screen, and has its client area invalidated and its frame painted.
struct TKsStateChange {
    // False: the request does nothing at all, not even a repaint.
    bool Happens = false;
    bool LeaveTray = false;
    bool LeavePlatformMinimized = false;
    std::vector<TKsPlacement> Placements;
    TKsWindowExit Exit = weNone;
    bool Invalidate = false;
    bool Paint = false;
};

// What the machine is told of the window with each request.
struct TKsStateContext {
    // The window's bounds now.
    TRect Bounds;
    // A modal form is neither minimized nor sent to the notification area.
    bool Modal = false;
    // Minimizing minimizes the whole application, through the platform.
    bool MinimizeApplication = false;
    bool DropShadow = false;
    // The frame is as wide as the maximized rectangle: a rolled-up window of that width was maximized.
    bool AtMaximizedWidth = false;
};

// The window states of a frame, without the window: the current state, the state before the last
// change (which restore goes back to), the normal bounds saved when the window leaves the normal
// state, and whether a minimized window lies in its own small rectangle or with the platform. Each
// request changes the state and answers what the frame is to do to the window.
class TKsWindowStateMachine {
public:
    TKsWindowState State() const { return state_; }
    TKsWindowState Previous() const { return previous_; }
    const TRect& NormalBounds() const { return normal_; }
    // Minimized by the platform (or with the application) rather than in place: the platform's
    // restore then brings the window back, and the frame follows it.
    bool AwaitsPlatformRestore() const { return state_ == kwsMinimized && !minimizedInPlace_; }

    TKsStateChange Maximize(const TKsStateContext& context);
    TKsStateChange Minimize(const TKsStateContext& context);
    TKsStateChange RollUp(const TKsStateContext& context);
    TKsStateChange MinimizeToTray(const TKsStateContext& context);
    TKsStateChange Restore(const TKsStateContext& context);
    // The notification-area icon could not be added: the window goes back to the state it was in,
    // on the screen, since there would be no way back to it.
    TKsStateChange TrayIconFailed();
    // The platform minimized the window (from the task bar), or brought a window back that it or
    // the application had minimized.
    void PlatformMinimized(const TRect& bounds);
    TKsStateChange PlatformRestored();
    // Whether what lies behind the window may be captured now: never while the screen there may
    // still show the maximized window (unless the frame is translucent).
    bool MayCaptureBackground(bool blend);

private:
    void Set(TKsWindowState state, TKsWindowState previous);
    // The window goes from its current state to state, which it remembers as the previous one.
    void Enter(TKsWindowState state);
    // Where a window leaves the minimized state or the tray for: maximized, rolled up or normal.
    TKsWindowState WayBack() const;
    // Maximize, minimize and roll up keep the bounds of a normal window (or of one in the tray).
    void SaveNormalBounds(const TRect& bounds);
    // The end of a restore: maximized, rolled up from the normal bounds, or normal; leaving is the
    // previous state a normal window remembers.
    TKsStateChange ReturnTo(TKsWindowState state, TKsWindowState leaving, TKsStateChange change);
    TKsPlacement Normal() const { return {wpNormal, normal_}; }

    TKsWindowState state_ = kwsNormal;
    TKsWindowState previous_ = kwsNormal;
    TRect normal_;
    bool minimizedInPlace_ = false;
    // Left the maximized state: the first capture afterwards would show the maximized window.
    bool captureHeld_ = false;
    // The states to go back to when the notification-area icon fails.
    std::pair<TKsWindowState, TKsWindowState> beforeTray_{kwsNormal, kwsNormal};
};

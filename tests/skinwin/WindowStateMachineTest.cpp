#include "skinwin/KsWindowStateMachine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const TRect kNormal = TRect::FromSize(100, 80, 400, 300);
const TRect kMaximized(0, 0, 1280, 994);
const TRect kMinimized = TRect::FromSize(0, 970, 160, 24);

TKsStateContext At(const TRect& bounds, bool minimizeApplication = false)
{
    TKsStateContext context;
    context.Bounds = bounds;
    context.MinimizeApplication = minimizeApplication;
    return context;
}

std::vector<TKsPlacement> NormalPlacement(const TRect& bounds) { return {{wpNormal, bounds}}; }

// A window that was maximized and then minimized, by the platform (with the application) or in place.
TKsWindowStateMachine MaximizedThenMinimized(bool byPlatform)
{
    TKsWindowStateMachine states;
    states.Maximize(At(kNormal));
    states.Minimize(At(kMaximized, byPlatform));
    return states;
}

} // namespace

// However a window comes back maximized (or rolled up) from being minimized, a restore afterwards
// gives it its normal bounds: it never stays maximized or does nothing.
TEST(WindowStateMachine, AWindowBackMaximizedFromMinimizedRestoresToItsNormalBounds)
{
    // The platform brings the application back (its task-bar button): the frame follows.
    TKsWindowStateMachine platform = MaximizedThenMinimized(true);
    ASSERT_TRUE(platform.AwaitsPlatformRestore());
    platform.PlatformRestored();
    EXPECT_EQ(platform.State(), kwsMaximized);
    EXPECT_EQ(platform.Previous(), kwsNormal);
    TKsStateChange change = platform.Restore(At(kMaximized, true));
    EXPECT_TRUE(change.Happens);
    EXPECT_EQ(platform.State(), kwsNormal);
    EXPECT_EQ(change.Placements, NormalPlacement(kNormal));

    // Maximized while minimized (the task bar's maximize, the window state, a child activated).
    for (bool byPlatform : {false, true}) {
        TKsWindowStateMachine states;
        states.Minimize(At(kNormal, byPlatform));
        states.Maximize(At(kMinimized, byPlatform));
        EXPECT_EQ(states.Previous(), kwsNormal);
        change = states.Restore(At(kMaximized, byPlatform));
        EXPECT_EQ(states.State(), kwsNormal) << byPlatform;
        EXPECT_EQ(change.Placements, NormalPlacement(kNormal)) << byPlatform;
    }

    // Rolled up, minimized by the platform and brought back rolled up.
    TKsWindowStateMachine rolled;
    rolled.RollUp(At(kNormal));
    rolled.PlatformMinimized(TRect::FromSize(100, 80, 400, 24));
    rolled.PlatformRestored();
    EXPECT_EQ(rolled.State(), kwsRollup);
    EXPECT_EQ(rolled.Previous(), kwsNormal);
    change = rolled.Restore(At(TRect::FromSize(130, 90, 400, 24)));
    EXPECT_EQ(rolled.State(), kwsNormal);
    EXPECT_EQ(change.Placements, NormalPlacement(TRect::FromSize(130, 90, 400, 300)));
}

// The first capture after leaving the maximized state is skipped (the screen there still shows the
// maximized window), without the window forgetting that it was maximized.
TEST(WindowStateMachine, TheCaptureSkippedAfterMaximizedKeepsTheWayBackToMaximized)
{
    TKsWindowStateMachine minimized = MaximizedThenMinimized(false);
    EXPECT_FALSE(minimized.MayCaptureBackground(false));
    EXPECT_TRUE(minimized.MayCaptureBackground(false));
    TKsStateChange change = minimized.Restore(At(kMinimized));
    EXPECT_EQ(minimized.State(), kwsMaximized);
    EXPECT_EQ(change.Placements, (std::vector<TKsPlacement>{{wpMaximized, TRect()}}));

    // Rolled up from maximized with a shadow, the frame is narrower than the maximized rectangle.
    TKsWindowStateMachine rolled;
    rolled.Maximize(At(kNormal));
    rolled.RollUp(At(kMaximized));
    EXPECT_FALSE(rolled.MayCaptureBackground(false));
    rolled.Restore(At(TRect::FromSize(0, 0, 1280, 24)));
    EXPECT_EQ(rolled.State(), kwsMaximized);

    // Back to normal: the capture waits once, then goes on.
    rolled.Restore(At(kMaximized));
    EXPECT_FALSE(rolled.MayCaptureBackground(false));
    EXPECT_TRUE(rolled.MayCaptureBackground(false));
    EXPECT_TRUE(rolled.MayCaptureBackground(true));
}

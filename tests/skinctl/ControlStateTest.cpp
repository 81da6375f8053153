#include "skinctl/KsControlState.h"

#include <gtest/gtest.h>

TEST(ControlState, APressMovedOutAndReleasedOutsideIsNoClickButMovingBackInPressesAgain)
{
    TKsControlState state;
    EXPECT_TRUE(state.MouseDown());
    EXPECT_TRUE(state.MouseMove(false));
    EXPECT_FALSE(state.Pressed());
    EXPECT_FALSE(state.MouseUp(false));

    state.MouseDown();
    state.MouseMove(false);
    EXPECT_TRUE(state.MouseMove(true));
    EXPECT_EQ(state.FaceState(true, false), ssPressed);
    EXPECT_TRUE(state.MouseUp(true));
    EXPECT_FALSE(state.Tracking());
    // A release without a tracked press is no click.
    EXPECT_FALSE(state.MouseUp(true));
}

TEST(ControlState, SpaceClicksOnReleaseUnlessTheFocusLeftFirst)
{
    TKsControlState state;
    state.FocusEnter();
    state.KeyDown();
    EXPECT_EQ(state.FaceState(true, false), ssPressed);
    EXPECT_TRUE(state.KeyUp());
    state.KeyDown();
    EXPECT_TRUE(state.FocusExit());
    EXPECT_FALSE(state.KeyUp());
}

TEST(ControlState, FaceStateOrder)
{
    // Each look wins over the ones after it: disabled, pressed, hot, focused or default, normal.
    TKsControlState state;
    EXPECT_EQ(state.FaceState(true, false), ssNormal);
    EXPECT_EQ(state.FaceState(true, true), ssFocused);
    state.FocusEnter();
    EXPECT_EQ(state.FaceState(true, false), ssFocused);
    state.MouseEnter();
    EXPECT_EQ(state.FaceState(true, true), ssHot);
    state.MouseDown();
    EXPECT_EQ(state.FaceState(true, true), ssPressed);
    EXPECT_EQ(state.FaceState(false, true), ssDisabled);
    // Space presses as the mouse does.
    state.MouseUp(true);
    state.KeyDown();
    EXPECT_EQ(state.FaceState(true, true), ssPressed);
}

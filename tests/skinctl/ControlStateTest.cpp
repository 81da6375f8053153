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
    TKsControlState state;
    EXPECT_EQ(state.FaceState(true, true), ssFocused);
    state.MouseEnter();
    state.FocusEnter();
    EXPECT_EQ(state.FaceState(true, false), ssHot);
    state.MouseDown();
    EXPECT_EQ(state.FaceState(false, false), ssDisabled);
}

#include "skinctl/KsComboPlacement.h"

#include <gtest/gtest.h>

TEST(ComboPlacement, TheListOpensBelowTheBoxAboveItNearTheBottomAndInsideTheRightEdge)
{
    const TRect display(0, 0, 1280, 1024);
    // The depth box: 35 wide, 21 high; eight items of 13 pixels.
    EXPECT_EQ(DropDownRect(TRect::FromSize(126, 200, 35, 21), 104, display), TRect(126, 221, 161, 325));
    EXPECT_EQ(DropDownRect(TRect::FromSize(126, 930, 35, 21), 104, display), TRect(126, 826, 161, 930));
    EXPECT_EQ(DropDownRect(TRect::FromSize(1260, 930, 35, 21), 104, display), TRect(1245, 826, 1280, 930));
    // A display to the right of the first one.
    EXPECT_EQ(DropDownRect(TRect::FromSize(1400, 100, 35, 21), 104, TRect(1280, 0, 2560, 1024)),
              TRect(1400, 121, 1435, 225));
}

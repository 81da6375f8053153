#include "skinctl/KsScrollBarGeometry.h"

#include <gtest/gtest.h>

namespace {

// A vertical bar as the list box uses it: 17 wide, 200 high, no border, 17-pixel arrows.
TKsScrollBarGeometry VerticalBar(int pageSize, int position)
{
    TKsScrollBarGeometry bar;
    bar.Vertical = true;
    bar.Width = 17;
    bar.Height = 200;
    bar.ThumbMetric = 17;
    bar.ArrowMetric = 17;
    bar.Max = 100;
    bar.PageSize = pageSize;
    bar.Position = position;
    return bar;
}

} // namespace

TEST(ScrollBarGeometry, RoundDivideTakesHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(RoundDivide(149, 2), 74);
    EXPECT_EQ(RoundDivide(151, 2), 76);
    EXPECT_EQ(RoundDivide(7, 3), 2);
    EXPECT_EQ(RoundDivide(-149, 2), -74);
    EXPECT_EQ(RoundDivide(-151, 2), -76);
    EXPECT_EQ(RoundDivide(5, -2), -2);
}

TEST(ScrollBarGeometry, PartsOfAHorizontalBarWithABorder)
{
    TKsScrollBarGeometry bar;
    bar.Width = 121;
    bar.Height = 18;
    bar.BorderWidth = 1;
    bar.ThumbMetric = 16;
    bar.ArrowMetric = 16;
    EXPECT_EQ(bar.Arrow1Rect(), TRect(1, 1, 17, 17));
    EXPECT_EQ(bar.Arrow2Rect(), TRect(104, 1, 120, 17));
    EXPECT_EQ(bar.TrackRect(), TRect(17, 1, 104, 17));
    bar.ShowButtons = false;
    EXPECT_EQ(bar.TrackRect(), TRect(1, 1, 120, 17));
}

TEST(ScrollBarGeometry, WithoutAPageTheThumbIsOneMetricLongAndMovesOverEveryPosition)
{
    EXPECT_EQ(VerticalBar(0, 0).TrackRect(), TRect(0, 17, 17, 183));
    EXPECT_EQ(VerticalBar(0, 0).ThumbRect(), TRect(0, 17, 17, 34));
    EXPECT_EQ(VerticalBar(0, 100).ThumbRect(), TRect(0, 166, 17, 183));
    // 50 * 149 / 100 = 74.5 takes the even 74; 51 * 149 / 100 = 75.99.
    EXPECT_EQ(VerticalBar(0, 50).ThumbEdge(), 17 + 74);
    EXPECT_EQ(VerticalBar(0, 51).ThumbEdge(), 17 + 76);
    EXPECT_EQ(VerticalBar(0, 50).PageBeforeRect(), TRect(0, 17, 17, 91));
    EXPECT_EQ(VerticalBar(0, 50).PageAfterRect(), TRect(0, 108, 17, 183));
}

TEST(ScrollBarGeometry, APageGivesAProportionalThumbNoShorterThanTwoThirdsOfTheMetric)
{
    // 166 * 10 / 101 = 16.4
    EXPECT_EQ(VerticalBar(10, 0).ThumbLength(), 16);
    // 166 / 101 = 1.6, raised to 17 div 3 * 2
    EXPECT_EQ(VerticalBar(1, 0).ThumbLength(), 10);
    EXPECT_EQ(VerticalBar(101, 0).ThumbLength(), 0);
}

TEST(ScrollBarGeometry, ThePositionAtMaxWithAPageDrawsTheThumbAtTheEndOfTheTrack)
{
    EXPECT_EQ(VerticalBar(10, 91).ThumbEdge(), 183 - 16);
    EXPECT_EQ(VerticalBar(10, 100).ThumbEdge(), 183 - 16);
    EXPECT_EQ(VerticalBar(10, 100).PageAfterRect().Height(), 0);
}

TEST(ScrollBarGeometry, DraggedThumbEdgesGiveExactPositions)
{
    TKsScrollBarGeometry bar = VerticalBar(10, 0);
    // Range 91 over 150 pixels of travel.
    EXPECT_EQ(bar.PositionForEdge(17), 0);
    EXPECT_EQ(bar.PositionForEdge(17 + 75), 46);  // 45.5 -> 46
    EXPECT_EQ(bar.PositionForEdge(17 + 1), 1);    // 0.61
    EXPECT_EQ(bar.PositionForEdge(167), 91);
    EXPECT_EQ(bar.PositionForEdge(500), 91);
    EXPECT_EQ(bar.PositionForEdge(-40), 0);
    bar.Min = 20;
    EXPECT_EQ(bar.PositionForEdge(17), 20);
    // Every position's thumb edge leads back to that position.
    bar = VerticalBar(0, 0);
    for (int position = 0; position <= 100; ++position) {
        bar.Position = position;
        EXPECT_EQ(bar.PositionForEdge(bar.ThumbEdge()), position);
    }
}

TEST(ScrollBarGeometry, ABarTooShortForTwoArrowsHalvesThemAndHasNoThumb)
{
    TKsScrollBarGeometry bar = VerticalBar(0, 0);
    bar.Height = 21;
    EXPECT_EQ(bar.ArrowLength(), 10);
    EXPECT_EQ(bar.Arrow2Rect(), TRect(0, 11, 17, 21));
    EXPECT_EQ(bar.ThumbLength(), 0);
    bar.Height = 0;
    EXPECT_EQ(bar.ThumbLength(), 0);
    EXPECT_EQ(bar.PositionForEdge(5), 0);
}

TEST(ScrollBarGeometry, AnEmptyRangeKeepsTheThumbAtTheStart)
{
    TKsScrollBarGeometry bar = VerticalBar(0, 0);
    bar.Max = 0;
    EXPECT_EQ(bar.ThumbEdge(), 17);
    EXPECT_EQ(bar.PositionForEdge(100), 0);
}

#include "SkinnedControlTesting.h"

#include "skinctl/KsSkinProgress.h"

#include <climits>

namespace {

class ProgressBar : public SkinnedControlTest {
protected:
    void SetUp() override
    {
        SkinnedControlTest::SetUp();
        Form->SetClientSize(400, 100);
        Bar = Make<TSeSkinProgressBar>(Form, TRect::FromSize(0, 0, 104, 24), L"", false);
        ShowForm();
    }

    // Posts a probe, moves the bar, and tells whether the probe was handled inside the move.
    bool MoveLetsMessagesThrough(int position)
    {
        constexpr UINT kProbe = WM_APP + 7;
        PostMessageW(Form->Handle(), kProbe, 0, 0);
        Bar->SetPosition(position);
        MSG left;
        return !PeekMessageW(&left, Form->Handle(), kProbe, kProbe, PM_REMOVE);
    }

    // The runs [start, end) of highlight-coloured pixels along row y (or column x when vertical).
    std::vector<std::pair<int, int>> BlockRuns(int line, bool vertical = false)
    {
        Repaint(Bar);
        const TKsBitmap& buffer = Buffer(Bar);
        std::vector<std::pair<int, int>> runs;
        const int length = vertical ? Bar->Height() : Bar->Width();
        for (int i = 0; i < length; ++i) {
            if (Rgb(buffer, vertical ? line : i, vertical ? i : line) != Rgb(clHighlight)) continue;
            if (!runs.empty() && runs.back().second == i)
                runs.back().second = i + 1;
            else
                runs.push_back({i, i + 1});
        }
        return runs;
    }

    TSeSkinProgressBar* Bar = nullptr;
};

using Runs = std::vector<std::pair<int, int>>;

} // namespace

TEST_F(ProgressBar, TheFractionIsZeroOutsideTheRangeForANegativeMinimumAndForAnEmptyRange)
{
    Bar->SetMin(1);
    Bar->SetMax(5);
    EXPECT_EQ(Bar->Fraction(0), 0.0f);
    EXPECT_EQ(Bar->Fraction(1), 0.0f);
    EXPECT_EQ(Bar->Fraction(2), 0.25f);
    EXPECT_EQ(Bar->Fraction(5), 1.0f);
    EXPECT_EQ(Bar->Fraction(6), 0.0f);
    Bar->SetMin(-1);
    EXPECT_EQ(Bar->Fraction(3), 0.0f);
    Bar->SetMin(5);
    EXPECT_EQ(Bar->Fraction(5), 0.0f);
    Bar->SetMin(0);
    Bar->SetMax(3);
    EXPECT_EQ(Bar->Fraction(1), static_cast<float>(1.0 / 3.0));
    Bar->SetMax(INT_MAX);
    EXPECT_EQ(Bar->Fraction(INT_MAX), 1.0f);
}

TEST_F(ProgressBar, PendingMessagesAreHandledOnlyWhenTheDrawnFractionChanges)
{
    Bar->SetMin(1);
    Bar->SetMax(5);
    ASSERT_EQ(Bar->Position(), 0);
    EXPECT_FALSE(MoveLetsMessagesThrough(1)); // 0 -> 1: the fraction stays 0
    EXPECT_EQ(Bar->Position(), 1);
    EXPECT_TRUE(MoveLetsMessagesThrough(2));  // 0 -> 0.25
    EXPECT_FALSE(MoveLetsMessagesThrough(2)); // unchanged position: nothing at all
    EXPECT_TRUE(MoveLetsMessagesThrough(5));
    EXPECT_TRUE(MoveLetsMessagesThrough(9));  // above the maximum: back to 0
    EXPECT_FALSE(MoveLetsMessagesThrough(0)); // 0 -> 0
    EXPECT_EQ(Bar->Position(), 0);
}

TEST_F(ProgressBar, AnEmptyRangeNeverLetsMessagesThroughAndTheBoundsNeverDo)
{
    Bar->SetMin(1);
    Bar->SetMax(1);
    for (int p : {1, 2, 0, 1}) EXPECT_FALSE(MoveLetsMessagesThrough(p));
    EXPECT_TRUE(BlockRuns(12).empty());

    // Setting the bounds lets nothing through and does not move or clamp the position.
    PostMessageW(Form->Handle(), WM_APP + 7, 0, 0);
    Bar->SetMax(100);
    Bar->SetMin(0);
    MSG left;
    EXPECT_TRUE(PeekMessageW(&left, Form->Handle(), WM_APP + 7, WM_APP + 7, PM_REMOVE));
    EXPECT_EQ(Bar->Position(), 1);
}

TEST_F(ProgressBar, BlocksAreDrawnWithGapsAndOneMoreThanTheFilledShare)
{
    // A bordered bar of 104 x 24 has a bar area of 100 x 20: step 15, six blocks fit.
    Bar->SetPosition(50);
    EXPECT_EQ(BlockRuns(12), (Runs{{2, 15}, {17, 30}, {32, 45}, {47, 60}}));
    const TKsBitmap& buffer = Buffer(Bar);
    EXPECT_EQ(Rgb(buffer, 1, 1), Rgb(clBtnFace)); // trough inside the border
    EXPECT_EQ(Rgb(buffer, 0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(Rgb(buffer, 103, 23), Rgb(clBtnHighlight));

    // Seven blocks: the last one is cut at the bar area's edge.
    Bar->SetPosition(100);
    const Runs full = BlockRuns(12);
    ASSERT_EQ(full.size(), 7u);
    EXPECT_EQ(full.back(), (std::pair<int, int>{92, 102}));

    // Standing, the blocks grow upward from the bottom.
    Bar->SetBounds(0, 0, 24, 104);
    Bar->SetOrientation(kboVertical);
    Bar->SetPosition(50);
    EXPECT_EQ(BlockRuns(12, true), (Runs{{44, 57}, {59, 72}, {74, 87}, {89, 102}}));
}

TEST_F(ProgressBar, AShareOfOneHundredthOrLessDrawsNothingAndABarTooThinForABlockNeitherFails)
{
    Bar->SetPosition(1);
    EXPECT_TRUE(BlockRuns(12).empty());
    Bar->SetPosition(2);
    EXPECT_EQ(BlockRuns(12), (Runs{{2, 15}}));
    Bar->SetPosition(-5);
    EXPECT_TRUE(BlockRuns(12).empty());

    Bar->SetPosition(50);
    for (int height = 1; height <= 5; ++height) {
        Bar->SetBounds(0, 0, 104, height);
        Repaint(Bar);
        EXPECT_TRUE(Bar->Render()) << height;
    }
    Bar->SetSmooth(true);
    Bar->SetBounds(0, 0, 104, 24);
    EXPECT_EQ(BlockRuns(12), (Runs{{2, 52}}));
}

TEST_F(ProgressBar, TheSkinsFrameIsTheTroughAndItsBarPartFillsTheShareInsideTheFramesMargins)
{
    Bar->SetSkinEngine(Engine);
    Bar->SetBounds(0, 0, 363, 24);
    Bar->SetPosition(37);
    Repaint(Bar);
    // Margins of 4: the bar area is 355 wide, 37 % of it is 131.35, so 131 pixels.
    auto expected =
        DrawParts(L"ProgressBar", {{L"Frame", ssNormal, {0, 0, 363, 24}}, {L"BarHorz", ssNormal, {4, 4, 135, 20}}}, 363,
                  24, Form->Color());
    EXPECT_EQ(Differences(Buffer(Bar), *expected, {0, 0, 363, 24}), 0);
    Bar->SetPosition(38);
    Repaint(Bar);
    EXPECT_GT(Differences(Buffer(Bar), *expected, {0, 0, 363, 24}), 0);
}

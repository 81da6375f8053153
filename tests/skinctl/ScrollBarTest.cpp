#include "RepeatTesting.h"
#include "SkinnedControlTesting.h"

#include "skin/objects/KsSkinObjectRegistry.h"
#include "skinctl/KsSkinScrollBars.h"

#include <climits>
#include <vector>

namespace {

class TProbeBar : public TKsCustomScrollBar {
public:
    using TKsCustomScrollBar::TKsCustomScrollBar;
    using TKsCustomScrollBar::RepeatTimer;
};

// A vertical bar on the form whose thumb travels exactly one pixel per position: arrows and thumb
// are one scroll-thumb size T long, the track T + 100 pixels, Min 0, Max 100, no page.
class ScrollBar : public SkinnedControlTest {
protected:
    void SetUp() override
    {
        SkinnedControlTest::SetUp();
        T = ScrollThumbMetric();
        Bar = new TProbeBar(Form);
        Bar->SetParent(Form);
        Bar->SetKind(sbVertical);
        Bar->SetBorderWidth(0);
        Bar->SetBounds(20, 10, T, 3 * T + 100);
        Bar->OnScroll = [this](TKsScrollCode code, int& position) {
            Codes.push_back(code);
            if (Limit >= 0) position = std::min(position, Limit);
        };
        Bar->OnChange = [this] { Positions.push_back(Bar->Position()); };
        ShowForm();
    }

    // Mouse messages at a point of the bar, through the form that routes them to its window-less child.
    void Mouse(UINT message, int x, int y, WPARAM buttons = MK_LBUTTON)
    {
        SendMessageW(Form->Handle(), message, buttons, MAKELPARAM(Bar->Left() + x, Bar->Top() + y));
    }

    TSlowKeyboardRepeat slowRepeat;
    int T = 0;
    TProbeBar* Bar = nullptr;
    std::vector<TKsScrollCode> Codes;
    std::vector<int> Positions;
    int Limit = -1;
};

} // namespace

TEST_F(ScrollBar, RangeSettersClampTheOtherValuesInsteadOfRefusing)
{
    Bar->SetPosition(80);
    Bar->SetPageSize(30);
    Bar->SetMax(50);
    EXPECT_EQ(Bar->Position(), 50);
    EXPECT_EQ(Bar->PageSize(), 30);
    Bar->SetMin(40);
    EXPECT_EQ(Bar->PageSize(), 11);
    Bar->SetMin(70);
    EXPECT_EQ(Bar->Min(), 50);
    EXPECT_EQ(Bar->PageSize(), 1);
    Bar->SetPageSize(-5);
    EXPECT_EQ(Bar->PageSize(), 1);
    Bar->SetPosition(-3);
    EXPECT_EQ(Bar->Position(), 50);
    EXPECT_EQ(Positions, (std::vector<int>{80, 50}));
}

TEST_F(ScrollBar, KeyStepsPassThroughOnScrollWhichMayChangeThem)
{
    Bar->SetPageSize(10);
    Bar->SetPosition(50);
    Bar->Step(VK_NEXT);
    EXPECT_EQ(Bar->Position(), 60);
    Bar->SetPageSize(0);
    Bar->SetLargeChange(25);
    Bar->Step(VK_PRIOR);
    EXPECT_EQ(Bar->Position(), 35);
    Bar->SetSmallChange(7);
    Bar->Step(VK_DOWN);
    EXPECT_EQ(Bar->Position(), 42);
    Limit = 90;
    Bar->Step(VK_END);
    EXPECT_EQ(Bar->Position(), 90);
    Bar->Step(VK_HOME);
    Bar->Step(VK_LEFT);
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(Codes, (std::vector<TKsScrollCode>{kscPageDown, kscPageUp, kscLineDown, kscBottom, kscTop, kscLineUp}));
}

TEST_F(ScrollBar, DraggingTheThumbFromItsFirstPixelTracksExactPositions)
{
    Mouse(WM_MOUSEMOVE, 5, T, 0);
    Mouse(WM_LBUTTONDOWN, 5, T);
    EXPECT_TRUE(Bar->ThumbHeld());
    Mouse(WM_MOUSEMOVE, 5, T + 37);
    EXPECT_EQ(Bar->Position(), 37);
    Mouse(WM_MOUSEMOVE, 5, T + 36);
    EXPECT_EQ(Bar->Position(), 36);
    Mouse(WM_MOUSEMOVE, 5, 3 * T + 500);
    EXPECT_EQ(Bar->Position(), 100);
    Mouse(WM_MOUSEMOVE, 5, -40);
    EXPECT_EQ(Bar->Position(), 0);
    Mouse(WM_MOUSEMOVE, 5, T + 64);
    Mouse(WM_LBUTTONUP, 5, T + 64, 0);
    EXPECT_FALSE(Bar->ThumbHeld());
    EXPECT_EQ(Bar->Position(), 64);
    EXPECT_EQ(Codes.front(), kscThumbTrack);
    EXPECT_EQ(std::vector<TKsScrollCode>(Codes.end() - 2, Codes.end()),
              (std::vector<TKsScrollCode>{kscThumbPosition, kscEndScroll}));
    // Grabbed in its middle, the thumb keeps that offset to the pointer.
    Mouse(WM_LBUTTONDOWN, 5, T + 64 + T / 2);
    Mouse(WM_MOUSEMOVE, 5, T + 70 + T / 2);
    EXPECT_EQ(Bar->Position(), 70);
    Mouse(WM_LBUTTONUP, 5, T + 70 + T / 2, 0);
}

TEST_F(ScrollBar, HoldingThePageAreaPagesUntilTheThumbIsUnderThePointer)
{
    Bar->SetPageSize(10);
    const int y = T + 60;
    Mouse(WM_MOUSEMOVE, 5, y, 0);
    Mouse(WM_LBUTTONDOWN, 5, y);
    EXPECT_EQ(Bar->Position(), 10);
    for (int tick = 0; tick < 20 && TickNow(Bar->RepeatTimer()); ++tick) {}
    TRect thumb = Bar->Geometry().ThumbRect();
    EXPECT_TRUE(thumb.Contains({5, y}));
    EXPECT_EQ(Positions.size(), static_cast<size_t>(Bar->Position() / 10));
    EXPECT_LT(Positions.size(), 20u);
    Mouse(WM_LBUTTONUP, 5, y, 0);
    EXPECT_FALSE(Bar->Repeating());
}

TEST_F(ScrollBar, HoldingAnArrowRepeatsOnlyWhileThePointerStaysOnIt)
{
    Bar->SetPosition(50);
    Mouse(WM_MOUSEMOVE, 5, 3 * T + 100 - 2, 0);
    Mouse(WM_LBUTTONDOWN, 5, 3 * T + 100 - 2);
    EXPECT_EQ(Bar->Position(), 51);
    TickNow(Bar->RepeatTimer());
    EXPECT_EQ(Bar->Position(), 52);
    Mouse(WM_MOUSEMOVE, 5, T + 80);
    TickNow(Bar->RepeatTimer());
    EXPECT_EQ(Bar->Position(), 52);
    Mouse(WM_MOUSEMOVE, 5, 3 * T + 100 - 2);
    TickNow(Bar->RepeatTimer());
    EXPECT_EQ(Bar->Position(), 53);
    Mouse(WM_LBUTTONUP, 5, 3 * T + 100 - 2, 0);
    EXPECT_FALSE(TickNow(Bar->RepeatTimer()));
}

TEST_F(ScrollBar, LosingTheMouseInTheMiddleOfAPressEndsThePressItsHotLookAndTheRepeating)
{
    // Another window takes the mouse, as one brought to the front with Alt+Tab does.
    TWinControl* other = FocusTaker();
    other->HandleNeeded();
    const int arrow2 = 3 * T + 100 - 2;
    Bar->SetPosition(50);
    Mouse(WM_MOUSEMOVE, 5, arrow2, 0);
    Mouse(WM_LBUTTONDOWN, 5, arrow2);
    ASSERT_TRUE(Bar->Repeating());
    SetCapture(other->Handle());
    EXPECT_FALSE(Bar->Repeating());
    EXPECT_FALSE(Bar->PartPressed(kspArrow2));
    EXPECT_FALSE(Bar->PartHot(kspArrow2));
    EXPECT_EQ(Codes.back(), kscEndScroll);
    EXPECT_EQ(Bar->Position(), 51);
    ReleaseCapture();

    // A thumb let go that way follows the pointer no more.
    const int thumb = Bar->Geometry().ThumbEdge();
    Mouse(WM_LBUTTONDOWN, 5, thumb);
    ASSERT_TRUE(Bar->ThumbHeld());
    SetCapture(other->Handle());
    ReleaseCapture();
    Mouse(WM_MOUSEMOVE, 5, thumb + 20, 0);
    EXPECT_FALSE(Bar->ThumbHeld());
    EXPECT_EQ(Bar->Position(), 51);
}

TEST_F(ScrollBar, PageSizeStaysWithinTheRangeAlsoWhenTheRangeExceedsAnInt)
{
    Bar->SetPageSize(10);
    Bar->SetMax(INT_MAX);
    EXPECT_EQ(Bar->PageSize(), 10);
    Bar->SetMin(INT_MIN);
    EXPECT_EQ(Bar->PageSize(), 10);
    Bar->SetPageSize(INT_MAX);
    EXPECT_EQ(Bar->PageSize(), INT_MAX);
    Bar->SetMax(0);
    EXPECT_EQ(Bar->PageSize(), INT_MAX);
    Bar->SetMin(-9);
    EXPECT_EQ(Bar->PageSize(), 10);
}

TEST_F(ScrollBar, AutoRepeatStepsByItselfAndStopsAtTheEnd)
{
    Bar->SetPosition(97);
    Bar->SetAutoRepeatDown(true);
    EXPECT_TRUE(Bar->Repeating());
    for (int tick = 0; tick < 10 && TickNow(Bar->RepeatTimer()); ++tick) {}
    EXPECT_EQ(Bar->Position(), 100);
    EXPECT_FALSE(Bar->AutoRepeatDown());
    EXPECT_FALSE(Bar->Repeating());
    // One direction at a time.
    Bar->SetAutoRepeatUp(true);
    Bar->SetAutoRepeatDown(true);
    EXPECT_FALSE(Bar->AutoRepeatUp());
}

TEST_F(ScrollBar, TheSkinnedBarTakesItsThicknessAndArrowsFromTheSkin)
{
    auto* skinned = Make<TSeSkinScrollBar>(Form, TRect::FromSize(100, 10, 40, 150), {}, false);
    skinned->SetKind(sbVertical);
    skinned->SetSkinEngine(Engine);
    EXPECT_EQ(skinned->BorderWidth(), 0);
    EXPECT_EQ(skinned->Width(), 17);
    EXPECT_EQ(skinned->Geometry().Arrow1Rect(), TRect(0, 0, 17, 17));
    skinned->SetPosition(100);
    Form->Invalidate();
    Form->Update();
    // Track over the whole bar, the arrows at its ends and the thumb at the end of the track.
    const TRect thumb = skinned->Geometry().ThumbRect();
    EXPECT_EQ(thumb, TRect(0, 150 - 17 - T, 17, 150 - 17));
    auto reference = DrawParts(L"ScrollBar",
                               {{L"VertFrame", 0, {0, 0, 17, 150}},
                                {L"TopButton", 0, {0, 0, 17, 17}},
                                {L"BottomButton", 0, {0, 133, 17, 150}},
                                {L"VertSlider", 0, thumb}},
                               17, 150, skinned->Color());
    EXPECT_EQ(Differences(skinned->PaintBuffer().Bitmap(), *reference, {0, 0, 17, 150}), 0);
}

TEST_F(ScrollBar, ASkinWithoutFramesOrArrowsKeepsThePlainThicknessAndArrows)
{
    delete Engine;
    Engine = new TSeSkinEngine(Form);
    std::vector<std::unique_ptr<TSeSkinObject>> objects;
    std::unique_ptr<TSeSkinObject> bare(CreateSkinObject(L"TSeSkinObject", nullptr));
    bare->SetName(L"ScrollBar");
    objects.push_back(std::move(bare));
    Engine->Source()->Adopt(std::move(objects), TKsBitmapList());
    auto* skinned = Make<TSeSkinScrollBar>(Form, TRect::FromSize(100, 10, 40, 150), {}, false);
    skinned->SetKind(sbVertical);
    skinned->SetSkinEngine(Engine);
    EXPECT_EQ(skinned->Width(), T);
    EXPECT_EQ(skinned->Geometry().ArrowLength(), T);
    auto* plain = Make<TKsCustomScrollBar>(Form, TRect::FromSize(150, 10, T, 150));
    plain->SetKind(sbVertical);
    plain->SetBorderWidth(0);
    Form->Invalidate();
    Form->Update();
    EXPECT_EQ(Differences(skinned->PaintBuffer().Bitmap(), plain->PaintBuffer().Bitmap(), TRect(0, 0, T, T)), 0);
}

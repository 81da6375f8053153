#include "WindowTesting.h"

#include "framework/ComCtrls.h"

#include <optional>

namespace {

// A form that counts one posted message, to see when pending messages were let through.
class TCountingForm : public TForm {
public:
    using TForm::TForm;
    static constexpr UINT WM_PROBE = WM_APP + 7;
    int Probes = 0;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_PROBE) {
            ++Probes;
            return;
        }
        TForm::WndProc(message);
    }
};

class ProgressBar : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        delete Form;
        Counting = new TCountingForm(nullptr);
        Form = Counting;
        Form->SetClientSize(360, 100);
        Bar = new TProgressBar(Form);
        Bar->SetParent(Form);
        Bar->SetBounds(0, 76, 360, 24);
        ShowForm();
    }

    // Posts a probe, moves the bar, and tells whether the probe was handled inside the move.
    bool MoveLetsMessagesThrough(int position)
    {
        int before = Counting->Probes;
        PostMessageW(Form->Handle(), TCountingForm::WM_PROBE, 0, 0);
        Bar->SetPosition(position);
        bool handled = Counting->Probes > before;
        Application->ProcessMessages();
        return handled;
    }

    TCountingForm* Counting = nullptr;
    TProgressBar* Bar = nullptr;
};

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
    EXPECT_FALSE(MoveLetsMessagesThrough(1));  // 0 -> 1: the fraction stays 0
    EXPECT_EQ(Bar->Position(), 1);
    EXPECT_TRUE(MoveLetsMessagesThrough(2));   // 0 -> 0.25
    EXPECT_FALSE(MoveLetsMessagesThrough(2));  // unchanged position: nothing at all
    EXPECT_TRUE(MoveLetsMessagesThrough(5));
    EXPECT_TRUE(MoveLetsMessagesThrough(9));   // above the maximum: back to 0
    EXPECT_FALSE(MoveLetsMessagesThrough(0));  // 0 -> 0
    EXPECT_EQ(Bar->Position(), 0);
}

TEST_F(ProgressBar, AnEmptyRangeNeverLetsMessagesThroughAndTheBoundsNeverDo)
{
    Bar->SetMin(1);
    Bar->SetMax(1);
    for (int p : {1, 2, 0, 1}) EXPECT_FALSE(MoveLetsMessagesThrough(p));

    PostMessageW(Form->Handle(), TCountingForm::WM_PROBE, 0, 0);
    int before = Counting->Probes;
    Bar->SetMax(100);
    Bar->SetMin(0);
    EXPECT_EQ(Counting->Probes, before);
    // Setting the bounds does not move or clamp the position.
    EXPECT_EQ(Bar->Position(), 1);
}

namespace {

// Paints a control's window into a white buffer through WM_PRINTCLIENT and reads the pixels back.
class TPrinted {
public:
    TPrinted(HWND window, int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        TSelectObject select(dc_.Get(), bitmap_.Get());
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.Get()), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
    }
    COLORREF At(int x, int y) const
    {
        uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_;
    TMemoryDC dc_;
    TBitmapHandle bitmap_;
    uint32_t* bits_ = nullptr;
};

// The columns of row y that have the highlight colour, as runs [start, end).
std::vector<std::pair<int, int>> HighlightRuns(const TPrinted& image, int width, int y)
{
    std::vector<std::pair<int, int>> runs;
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    for (int x = 0; x < width; ++x) {
        if (image.At(x, y) != highlight) continue;
        if (!runs.empty() && runs.back().second == x) runs.back().second = x + 1;
        else runs.push_back({x, x + 1});
    }
    return runs;
}

} // namespace

TEST_F(ProgressBar, BlocksAreDrawnWithGapsAndOneMoreThanTheFilledShare)
{
    // A bordered bar of 104 x 24 has a bar area of 100 x 20: step 15, six blocks fit.
    Bar->SetBounds(0, 0, 104, 24);
    Bar->SetPosition(50);
    TPrinted half(Bar->Handle(), 104, 24);
    std::vector<std::pair<int, int>> expected{{2, 15}, {17, 30}, {32, 45}, {47, 60}};
    EXPECT_EQ(HighlightRuns(half, 104, 12), expected);
    EXPECT_EQ(half.At(1, 1), ColorToRGB(clBtnFace));  // trough inside the border
    EXPECT_EQ(half.At(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(half.At(103, 23), ColorToRGB(clBtnHighlight));

    Bar->SetPosition(100);
    TPrinted full(Bar->Handle(), 104, 24);
    // Seven blocks: the last one is cut at the bar area's edge.
    auto runs = HighlightRuns(full, 104, 12);
    ASSERT_EQ(runs.size(), 7u);
    EXPECT_EQ(runs.back(), (std::pair<int, int>{92, 102}));
}

TEST_F(ProgressBar, AShareOfOneHundredthOrLessDrawsNothing)
{
    Bar->SetBounds(0, 0, 104, 24);
    Bar->SetPosition(1);
    TPrinted hundredth(Bar->Handle(), 104, 24);
    EXPECT_TRUE(HighlightRuns(hundredth, 104, 12).empty());
    Bar->SetPosition(2);
    TPrinted fiftieth(Bar->Handle(), 104, 24);
    EXPECT_EQ(HighlightRuns(fiftieth, 104, 12), (std::vector<std::pair<int, int>>{{2, 15}}));
    Bar->SetPosition(-5);
    TPrinted below(Bar->Handle(), 104, 24);
    EXPECT_TRUE(HighlightRuns(below, 104, 12).empty());
}

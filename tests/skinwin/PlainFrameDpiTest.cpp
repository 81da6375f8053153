#include "framework/Dpi.h"
#include "framework/Screen.h"
#include "tests/skinwin/FrameFixture.h"

// The plain frame on a monitor at 150 % (144 DPI): every design length is scaled as the skin's are.
class PlainFrameDpi : public FrameTest {
protected:
    void TearDown() override
    {
        FrameTest::TearDown();
        SetDpiOverride(0);
    }

    // Border, caption height, close button size and shadow width of a plain frame built at dpi.
    struct TFacts {
        int Border, Caption, CloseHeight, Shadow;
    };
    TFacts BuildAt(int dpi)
    {
        delete Form;
        SetDpiOverride(dpi);
        TOptions options = WithoutSkin();
        options.Setup = [](TSeSkinForm& frame) { frame.SetDropShadow(true); };
        Build(options);
        RECT client;
        GetClientRect(Window(), &client);
        const TPoint offset = ClientOffset();
        return {offset.X, offset.Y - offset.X, Frame->CaptionButtonRect(kbiClose).Height(),
                WindowRect().Width() - client.right - 2 * offset.X};
    }
};

TEST_F(PlainFrameDpi, BordersCaptionButtonsAndShadowAreTheirDesignLengthsScaled)
{
    const TFacts design = BuildAt(96);
    EXPECT_EQ(design.Border, 3);
    EXPECT_EQ(design.Shadow, 4);
    EXPECT_EQ(design.CloseHeight, design.Caption - 4);

    const TFacts scaled = BuildAt(144);
    EXPECT_EQ(scaled.Border, 4);
    EXPECT_EQ(scaled.Shadow, 6);
    EXPECT_EQ(scaled.Caption, SystemMetricForDpi(SM_CYCAPTION, 144));
    EXPECT_NEAR(scaled.Caption, design.Caption * 3 / 2, 1);
    EXPECT_EQ(scaled.CloseHeight, scaled.Caption - 6);
}

TEST_F(PlainFrameDpi, MovingByTheCaptionSnapsWithinTheScaledDistance)
{
    SetDpiOverride(144);
    const TRect area = Screen->WorkAreaRect();
    Build(At(area.Left + 60, area.Top + 300));
    // 20 design pixels are 30 at 144 DPI: 29 away snaps, 30 away does not.
    Drag({100, 10}, -31, 0);
    EXPECT_EQ(WindowRect().Left, area.Left);
    Form->SetBounds(area.Left + 60, area.Top + 300, Form->Width(), Form->Height());
    Drag({100, 10}, -30, 0);
    EXPECT_EQ(WindowRect().Left, area.Left + 30);
}

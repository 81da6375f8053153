#include "SkinnedControlTesting.h"

#include "framework/StdCtrls.h"
#include "skin/raster/KsPixelKernels.h"

namespace {

// A parent whose face is a picture: every pixel tells where it is.
class TPictureBox : public TKsCustomControl {
public:
    using TKsCustomControl::TKsCustomControl;
    static uint32_t At(int x, int y)
    {
        return 0xFF000000u | (static_cast<uint32_t>(x) << 8) | static_cast<uint32_t>(y);
    }

protected:
    void PaintFace() override
    {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) Surface().SetPixel(x, y, At(x, y));
    }
};

// A window-less control that marks its top-left pixel and leaves the rest to what lies under it.
class TMarkedGraphic : public TKsGraphicControl {
public:
    using TKsGraphicControl::TKsGraphicControl;
    static constexpr uint32_t kMark = 0xFF123456;

protected:
    void PaintFace() override
    {
        TKsGraphicControl::PaintFace();
        Surface().SetPixel(0, 0, kMark);
    }
};

// A control with the plain sunken border.
class TBordered : public TKsCustomControl {
public:
    explicit TBordered(TComponent* owner) : TKsCustomControl(owner) { SetBorderStyle(bsSingle); }
};

using ControlBase = SkinnedControlTest;

} // namespace

TEST_F(ControlBase, TheBufferGrowsAndShrinksInStepsOfThirtyPixels)
{
    auto* control = Make<TKsCustomControl>(Form, TRect::FromSize(10, 10, 75, 25));
    auto size = [&] { return std::pair{Buffer(control).Width(), Buffer(control).Height()}; };
    EXPECT_EQ(size(), (std::pair{90, 30}));
    control->SetBounds(10, 10, 90, 30); // still inside the band
    EXPECT_EQ(size(), (std::pair{90, 30}));
    control->SetBounds(10, 10, 91, 25);
    EXPECT_EQ(size(), (std::pair{120, 30}));
    control->SetBounds(10, 10, 90, 25); // not yet more than 30 below the buffer
    EXPECT_EQ(size(), (std::pair{120, 30}));
    control->SetBounds(10, 10, 89, 25);
    EXPECT_EQ(size(), (std::pair{90, 30}));

    ShowForm();
    control->SetBounds(10, 10, 0, 0);
    EXPECT_FALSE(control->Render());
    Repaint(control);
    EXPECT_EQ(size(), (std::pair{30, 30}));
    EXPECT_FALSE(control->Render());
}

TEST_F(ControlBase, ABlendedControlIsMixedOverItsParentByTheLowByteOfBlendValue)
{
    const TColor parentColor = RGB(0, 0, 200);
    Form->SetColor(parentColor);
    auto* control = Make<TKsCustomControl>(Form, TRect::FromSize(10, 10, 40, 20));
    control->SetColor(RGB(255, 0, 0));
    control->SetBlend(true);
    ShowForm();
    auto centre = [&](int value) {
        control->SetBlendValue(value);
        Repaint(control);
        return Rgb(Buffer(control), 20, 10);
    };
    EXPECT_EQ(centre(255), Rgb(RGB(255, 0, 0)));
    EXPECT_EQ(centre(0), Rgb(parentColor));
    EXPECT_EQ(centre(256), Rgb(parentColor));
    EXPECT_EQ(centre(128), BlendPixel(ColorToPixel(RGB(255, 0, 0), 128), ColorToPixel(parentColor)) & 0xFFFFFF);
    control->SetBlend(false);
    EXPECT_EQ(centre(0), Rgb(RGB(255, 0, 0)));
}

TEST_F(ControlBase, ATransparentControlShowsItsParentsPictureWhereItsBorderLeavesIt)
{
    auto* picture = Make<TPictureBox>(Form, TRect::FromSize(5, 5, 200, 100));
    auto* control = Make<TBordered>(picture, TRect::FromSize(30, 20, 60, 40));
    control->SetTransparent(true);
    ShowForm();
    Repaint(control);
    const TKsBitmap& buffer = Buffer(control);
    EXPECT_EQ(Rgb(buffer, 0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(Rgb(buffer, 59, 39), Rgb(clBtnHighlight));
    EXPECT_EQ(Rgb(buffer, 1, 1), Rgb(cl3DDkShadow));
    EXPECT_EQ(Rgb(buffer, 58, 38), Rgb(cl3DLight));
    EXPECT_EQ(Rgb(buffer, 3, 3), Rgb(control->Color()));
    int wrong = 0;
    for (int y = 4; y < 36; ++y)
        for (int x = 4; x < 56; ++x)
            if (Rgb(buffer, x, y) != (TPictureBox::At(x + 30, y + 20) & 0xFFFFFF)) ++wrong;
    EXPECT_EQ(wrong, 0);

    // The one copy reached the screen.
    TWindowDC screen(control->Handle());
    const uint32_t shown = Rgb(buffer, 20, 10);
    EXPECT_EQ(GetPixel(screen.Get(), 20, 10), RGB((shown >> 16) & 0xFF, (shown >> 8) & 0xFF, shown & 0xFF));
}

TEST_F(ControlBase, WindowLessChildrenArePaintedIntoTheBufferOverThePixelsUnderThem)
{
    const TColor green = RGB(0, 128, 0);
    auto* box = Make<TKsCustomControl>(Form, TRect::FromSize(10, 10, 200, 100));
    box->SetColor(green);
    auto* graphic = new TMarkedGraphic(Form);
    graphic->SetParent(box);
    graphic->SetBounds(20, 30, 50, 20);
    graphic->SetTransparent(true);
    auto* label = new TLabel(Form);
    label->SetParent(box);
    label->SetBounds(100, 10, 80, 13);
    label->SetCaption(L"標籤 Label");
    ShowForm();
    Repaint(box);

    const TKsBitmap& buffer = Buffer(box);
    EXPECT_EQ(buffer.Pixel(20, 30) & 0xFFFFFF, TMarkedGraphic::kMark & 0xFFFFFF);
    EXPECT_EQ(Rgb(buffer, 40, 40), Rgb(green));
    EXPECT_EQ(Rgb(graphic->PaintBuffer().Bitmap(), 10, 10), Rgb(green));
    int text = 0;
    for (int y = 10; y < 23; ++y)
        for (int x = 100; x < 180; ++x)
            if (Rgb(buffer, x, y) != Rgb(green)) ++text;
    EXPECT_GT(text, 20);
}

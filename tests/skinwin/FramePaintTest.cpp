#include "skin/raster/KsPixelKernels.h"
#include "skinwin/KsFormResources.h"
#include "tests/raster/RasterTestSupport.h"
#include "tests/skinwin/FrameFixture.h"

#include <chrono>
#include <memory>

namespace {

constexpr uint32_t kRgb = 0x00FFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;

void MainWindowIcons(TSeSkinForm& frame)
{
    frame.SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize});
    frame.SetCanResize(false);
}

class FramePaint : public FrameTest {
protected:
    void TearDown() override
    {
        delete Behind;
        FrameTest::TearDown();
    }

    // A red window where the framed window will appear, so that what lies behind is known.
    void RedWindowBehind()
    {
        Behind = new TForm(nullptr);
        Behind->SetColor(clRed);
        Behind->SetBounds(150, 100, 500, 400);
        Behind->SetBorderStyle(fbsNone);
        Behind->Show();
        Application->ProcessMessages();
        UpdateWindow(Behind->Handle());
    }

    // The skin's form object drawn straight from the engine's skin, as the frame should show it.
    std::unique_ptr<TKsBitmap> SkinDrawnDirectly(int width, int height, bool active)
    {
        std::unique_ptr<TSeSkinObject> skin(Engine->Source()->FormObject()->Clone(nullptr));
        // Bound to the form, its system buttons ask the frame which of them exist.
        skin->Bind(Form);
        skin->SetBounds(TRect(0, 0, width, height));
        skin->SetActive(active);
        skin->SetState(ssNormal);
        skin->FindObjectByKind(skTitle)->SetText(Form->Caption());
        skin->FindObjectByKind(skClient)->SetVisible(false);
        auto bitmap = std::make_unique<TKsBitmap>();
        bitmap->SetSize(width, height);
        bitmap->Fill(kTransparentPixel);
        skin->Draw(*bitmap);
        return bitmap;
    }

    // What the window shows, frame included.
    std::unique_ptr<TKsBitmap> WindowPixels()
    {
        auto bitmap = std::make_unique<TKsBitmap>();
        TRect bounds = WindowRect();
        bitmap->SetSize(bounds.Width(), bounds.Height());
        HDC dc = GetWindowDC(Window());
        BitBlt(bitmap->DC(), 0, 0, bounds.Width(), bounds.Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(Window(), dc);
        GdiFlush();
        return bitmap;
    }

    std::vector<TPoint> FrameSamples()
    {
        const int width = WindowRect().Width();
        const int height = WindowRect().Height();
        return {{width / 2, 15},
                {40, 12},
                Centre(Frame->CaptionButtonRect(kbiClose)),
                Centre(Frame->CaptionButtonRect(kbiMinimize)),
                {Frame->CaptionButtonRect(kbiClose).Left + 3, 15},
                {10, 12},
                {2, 100},
                {width - 3, 100},
                {width / 2, height - 2},
                {3, height - 3},
                {width - 4, height - 3}};
    }

    TPoint ClientPoint(int x, int y) { return {ClientOffset().X + x, ClientOffset().Y + y}; }

    uint32_t ClientColour()
    {
        return ColorToPixel(Engine->Source()->FormObject()->FindObjectByKind(skClient)->Color());
    }

    TForm* Behind = nullptr;
};

} // namespace

TEST_F(FramePaint, TheFrameShowsTheSkinsFormDrawnDirectlyActiveAndInactive)
{
    Build(WithSetup(MainWindowIcons));
    const int width = WindowRect().Width();
    const int height = WindowRect().Height();
    for (bool active : {true, false}) {
        SendMessageW(Window(), WM_NCACTIVATE, active, 0);
        ASSERT_EQ(Frame->FrameActive(), active);
        auto expected = SkinDrawnDirectly(width, height, active);
        const TKsBitmap& buffer = SharedPaintBuffer();
        auto shown = WindowPixels();
        for (TPoint p : FrameSamples()) {
            SCOPED_TRACE(testing::Message() << "active " << active << " at " << p.X << ", " << p.Y);
            EXPECT_EQ(buffer.Pixel(p.X, p.Y) & kRgb, expected->Pixel(p.X, p.Y) & kRgb);
            EXPECT_EQ(shown->Pixel(p.X, p.Y) & kRgb, expected->Pixel(p.X, p.Y) & kRgb);
        }
    }
    // The active and the inactive caption differ.
    EXPECT_NE(SkinDrawnDirectly(width, height, true)->Pixel(width / 2, 15),
              SkinDrawnDirectly(width, height, false)->Pixel(width / 2, 15));
}

TEST_F(FramePaint, TheClientBackgroundIsTheSkinsClientAlsoWhereAControlAsksForIt)
{
    Build();
    auto shown = WindowPixels();
    TPoint inside = ClientPoint(150, 100);
    EXPECT_EQ(shown->Pixel(inside.X, inside.Y) & kRgb, ClientColour() & kRgb);

    // A control at (20, 30) of the client area asks for the background under it.
    TKsBitmap control;
    control.SetSize(40, 30);
    control.Fill(0);
    SetViewportOrgEx(control.DC(), -20, -30, nullptr);
    EXPECT_EQ(SendMessageW(Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(control.DC()), kEraseFromControl), 1);
    GdiFlush();
    EXPECT_EQ(control.Pixel(0, 0) & kRgb, ClientColour() & kRgb);
    EXPECT_EQ(control.Pixel(39, 29) & kRgb, ClientColour() & kRgb);
}

TEST_F(FramePaint, TheFramePaintsItselfIntoAGivenContextAtASignedPosition)
{
    Build(WithSetup(MainWindowIcons));
    SendMessageW(Window(), WM_NCACTIVATE, FALSE, 0);
    const int width = WindowRect().Width();
    const int height = WindowRect().Height();
    TKsBitmap target;
    target.SetSize(width + 20, height + 30);
    target.Fill(0);
    EXPECT_EQ(SendMessageW(Window(), CM_PAINTFRAMETO, MAKEWPARAM(10, static_cast<WORD>(-5)),
                           reinterpret_cast<LPARAM>(target.DC())),
              1);
    GdiFlush();
    // Drawn as active whatever the window's state.
    auto active = SkinDrawnDirectly(width, height, true);
    EXPECT_EQ(target.Pixel(10 + width / 2, 15 - 5) & kRgb, active->Pixel(width / 2, 15) & kRgb);
    EXPECT_EQ(target.Pixel(10 + 100, 100 - 5) & kRgb, ClientColour() & kRgb);
    EXPECT_EQ(SendMessageW(Window(), CM_PAINTFRAMETO, 0, 0), 0);
    EXPECT_FALSE(Frame->FrameActive());
}

TEST_F(FramePaint, TheDropShadowIsDarkGreyOverWhatLiesBehind)
{
    RedWindowBehind();
    Build(WithSetup([](TSeSkinForm& frame) { frame.SetDropShadow(true); }));
    const int shadow = Frame->ShadowWidth();
    EXPECT_EQ(Frame->FrameSize().cx, Frame->FullSize().cx - shadow);
    RECT client;
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 300);
    auto shown = WindowPixels();
    const uint32_t darkened = BlendPixel(0x903F3F3F, kRed) & kRgb;
    EXPECT_EQ(shown->Pixel(Frame->FullSize().cx - 2, 60) & kRgb, darkened);
    EXPECT_EQ(shown->Pixel(150, Frame->FullSize().cy - 2) & kRgb, darkened);
    // The shadow is part of the window's region; the corner above it is not.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(Window(), region);
    EXPECT_TRUE(PtInRegion(region, Frame->FullSize().cx - 2, 60));
    EXPECT_FALSE(PtInRegion(region, Frame->FullSize().cx - 2, 1));
    DeleteObject(region);
}

TEST_F(FramePaint, ABlendedFrameAndClientAreMixedWithWhatLiesBehind)
{
    RedWindowBehind();
    Build(WithSetup([](TSeSkinForm& frame) {
        frame.SetBlend(true);
        frame.SetBlendValue(150);
    }));
    EXPECT_EQ(SendMessageW(Window(), CM_FORMBLENDED, 0, 0), 1);
    const int width = WindowRect().Width();
    auto expected = SkinDrawnDirectly(width, WindowRect().Height(), Frame->FrameActive());
    auto shown = WindowPixels();
    auto mixed = [](uint32_t pixel) { return BlendPixel((pixel & kRgb) | 150u << 24, kRed) & kRgb; };
    EXPECT_EQ(shown->Pixel(width / 2, 15) & kRgb, mixed(expected->Pixel(width / 2, 15)));
    EXPECT_EQ(shown->Pixel(2, 100) & kRgb, mixed(expected->Pixel(2, 100)));
    TPoint inside = ClientPoint(150, 100);
    EXPECT_EQ(shown->Pixel(inside.X, inside.Y) & kRgb, mixed(ClientColour()));

    Frame->SetBlend(false);
    EXPECT_EQ(SendMessageW(Window(), CM_FORMBLENDED, 0, 0), 0);
}

TEST_F(FramePaint, AShowAnimationEndsWithTheWindowShownAndPainted)
{
    for (TKsAnimation animation : {kaFade, kaSlide, kaRect, kaRandom}) {
        Build(WithSetup([animation](TSeSkinForm& frame) {
            frame.SetShowAnimation(animation);
            frame.SetShowAnimationTime(40);
        }));
        EXPECT_TRUE(IsWindowVisible(Window()));
        // Shown again, the window appears once the animation has played for its time.
        Frame->SetShowAnimationTime(150);
        Form->Hide();
        Application->ProcessMessages();
        const auto start = std::chrono::steady_clock::now();
        Form->Show();
        const std::chrono::duration<double, std::milli> showing = std::chrono::steady_clock::now() - start;
        EXPECT_GE(showing.count(), 120.0) << animation;
        Application->ProcessMessages();
        const int width = WindowRect().Width();
        auto expected = SkinDrawnDirectly(width, WindowRect().Height(), Frame->FrameActive());
        auto shown = WindowPixels();
        EXPECT_EQ(shown->Pixel(width / 2, 15) & kRgb, expected->Pixel(width / 2, 15) & kRgb);
        delete Form;
        Form = nullptr;
    }
    EXPECT_TRUE(Reports.empty());
}

// A popup of the form's menu holds the frame while it appears; what was held back is painted after.
TEST_F(FramePaint, APaintHeldBackWhileSuspendedIsReportedWhenPaintingResumes)
{
    Build(WithSetup(MainWindowIcons));
    SendMessageW(Window(), WM_NCACTIVATE, TRUE, 0);
    const int width = WindowRect().Width();
    const uint32_t active = WindowPixels()->Pixel(width / 2, 15);
    Frame->SuspendPainting();
    EXPECT_FALSE(Frame->ResumePainting()) << "nothing was held back";

    Frame->SuspendPainting();
    SendMessageW(Window(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(WindowPixels()->Pixel(width / 2, 15), active);
    EXPECT_TRUE(Frame->ResumePainting());
    Frame->PaintNonClient();
    EXPECT_NE(WindowPixels()->Pixel(width / 2, 15), active);
}

TEST_F(FramePaint, PaintingLayoutsAndSkinChangesLeaveTheGdiObjectCountWhereItWas)
{
    Build();
    // The first round makes what is made once (fonts, the shared buffer).
    auto round = [this](int hue) {
        SendMessageW(Window(), WM_NCACTIVATE, hue % 2, 0);
        SendMessageW(Window(), WM_NCPAINT, 1, 0);
        RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Frame->UpdateLayout();
        if (hue % 10 == 0) Engine->SetDeltaHue(hue);
        Application->ProcessMessages();
    };
    round(10);
    const DWORD before = GdiObjectCount();
    for (int hue = 11; hue <= 210; ++hue) round(hue);
    Engine->SetDeltaHue(10);
    Application->ProcessMessages();
    EXPECT_EQ(GdiObjectCount(), before);
    EXPECT_TRUE(Reports.empty());
}

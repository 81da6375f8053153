#include "SkinnedControlTesting.h"

#include "framework/StdCtrls.h"

namespace {

// A parent whose face is a picture: every pixel tells where it is.
class TPicture : public TKsCustomControl {
public:
    using TKsCustomControl::TKsCustomControl;

protected:
    void PaintFace() override
    {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                Surface().SetPixel(x, y, 0xFF000000u | (static_cast<uint32_t>(x) << 8) | static_cast<uint32_t>(y));
    }
};

// A control that counts its renders and shows in its top-left pixel whether the pointer is over
// it, without asking for a repaint when that changes. Transparent, it shows its parent elsewhere.
class TProbe : public TKsCustomControl {
public:
    using TKsCustomControl::TKsCustomControl;
    static constexpr uint32_t kHot = 0xFFFF0000u;
    static constexpr uint32_t kCold = 0xFF0000FFu;
    int Renders = 0;

protected:
    void PaintFace() override
    {
        ++Renders;
        TKsCustomControl::PaintFace();
        Surface().SetPixel(0, 0, Hot() ? kHot : kCold);
    }
};

// An opaque probe on the form; a transparent one on a picture that also holds a label lying
// partly under it.
class RepaintCache : public SkinnedControlTest {
protected:
    void SetUp() override
    {
        SkinnedControlTest::SetUp();
        Opaque = Make<TProbe>(Form, TRect::FromSize(10, 10, 60, 20));
        Opaque->SetColor(RGB(0, 128, 0));
        Picture = Make<TPicture>(Form, TRect::FromSize(80, 10, 200, 100));
        Label = new TLabel(Form);
        Label->SetParent(Picture);
        Label->SetBounds(10, 10, 120, 13);
        Label->SetCaption(L"標籤 Label");
        Shown = Make<TProbe>(Picture, TRect::FromSize(5, 5, 60, 30));
        Shown->SetTransparent(true);
        ShowForm();
        RepaintWindow();
    }

    // The whole window and every control in it, as when it comes back from under another window.
    void RepaintWindow()
    {
        RedrawWindow(Form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    // The transparent probe's buffer holds what the picture shows under it (its marked pixel aside).
    bool ShowsPicture()
    {
        const TKsBitmap& shown = Buffer(Shown);
        const TKsBitmap& picture = Buffer(Picture);
        for (int y = 0; y < Shown->Height(); ++y)
            for (int x = 0; x < Shown->Width(); ++x)
                if ((x || y) && Rgb(shown, x, y) != Rgb(picture, Shown->Left() + x, Shown->Top() + y)) return false;
        return true;
    }

    TProbe* Opaque = nullptr;
    TPicture* Picture = nullptr;
    TLabel* Label = nullptr;
    TProbe* Shown = nullptr;
};

} // namespace

TEST_F(RepaintCache, RepaintingAnUnchangedWindowRendersNoControlAgainAndShowsTheSamePixels)
{
    const int opaque = Opaque->Renders;
    const int shown = Shown->Renders;
    auto opaqueBefore = Snapshot(Buffer(Opaque));
    auto shownBefore = Snapshot(Buffer(Shown));
    RepaintWindow();
    RepaintWindow();
    EXPECT_EQ(Opaque->Renders, opaque);
    EXPECT_EQ(Shown->Renders, shown);
    EXPECT_EQ(Differences(*opaqueBefore, Buffer(Opaque), {0, 0, 60, 20}), 0);
    EXPECT_EQ(Differences(*shownBefore, Buffer(Shown), {0, 0, 60, 30}), 0);
    EXPECT_TRUE(ShowsPicture());

    // Asked to repaint, a control renders once.
    Opaque->Invalidate();
    RepaintWindow();
    EXPECT_EQ(Opaque->Renders, opaque + 1);
    EXPECT_EQ(Shown->Renders, shown);
}

TEST_F(RepaintCache, AControlRendersAfreshWhenWhatItShowsChanged)
{
    ASSERT_TRUE(ShowsPicture());
    // The label under the transparent probe, drawn by the picture, changes.
    Label->SetCaption(L"另一個標籤 Another");
    RepaintWindow();
    EXPECT_TRUE(ShowsPicture());
    // The probe is moved over another part of the picture, by the window system.
    SetWindowPos(Shown->Handle(), nullptr, 25, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(Shown->Left(), 25);
    RepaintWindow();
    EXPECT_TRUE(ShowsPicture());
    // The pointer comes, which the probe shows without asking for a repaint itself.
    Shown->Perform(CM_MOUSEENTER, 0, 0);
    RepaintWindow();
    EXPECT_EQ(Buffer(Shown).Pixel(0, 0), TProbe::kHot);
    // A transparent control on the form shows the form's new colour.
    auto* onForm = Make<TProbe>(Form, TRect::FromSize(10, 150, 60, 20));
    onForm->SetTransparent(true);
    RepaintWindow();
    Form->SetColor(RGB(200, 0, 0));
    RepaintWindow();
    EXPECT_EQ(Rgb(Buffer(onForm), 30, 10), Rgb(RGB(200, 0, 0)));
}

#include "SkinnedControlTesting.h"

#include "skinctl/KsSkinGroupBoxs.h"

namespace {

class TProbeGroupBox : public TSeSkinGroupBox {
public:
    using TSeSkinGroupBox::Skin;
    using TSeSkinGroupBox::TSeSkinGroupBox;
};

// Width and height of text in the font, measured on the screen.
SIZE Extent(const TFont& font, const std::wstring& text)
{
    TWindowDC screen(nullptr);
    TSelectObject select(screen.Get(), font.Handle());
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

using GroupBox = SkinnedControlTest;

} // namespace

TEST_F(GroupBox, ThePlainFramesTopEdgeBreaksForTheCaptionWithThreePixelsOnEachSide)
{
    auto* box = Make<TProbeGroupBox>(Form, TRect::FromSize(10, 10, 200, 100), L"Output", false);
    box->SetTransparent(false);
    ShowForm();
    Repaint(box);
    const SIZE text = Extent(box->Font(), L"Output");
    const int top = text.cy / 2 + 1;
    const uint32_t light = Rgb(clBtnHighlight), shadow = Rgb(clBtnShadow);
    const TKsBitmap& buffer = Buffer(box);
    EXPECT_EQ(Rgb(buffer, 3, top), light);
    EXPECT_EQ(Rgb(buffer, 8, top), light);
    EXPECT_EQ(Rgb(buffer, 9, top), Rgb(box->Color()));
    EXPECT_EQ(Rgb(buffer, 12 + text.cx + 2, top), Rgb(box->Color()));
    EXPECT_EQ(Rgb(buffer, 12 + text.cx + 3, top), light);
    // The shadow pass, a pixel up and left, draws over the light one's last top pixel.
    EXPECT_EQ(Rgb(buffer, 196, top), light);
    EXPECT_EQ(Rgb(buffer, 197, top), shadow);
    EXPECT_EQ(Rgb(buffer, 2, top - 1), shadow);
    EXPECT_EQ(Rgb(buffer, 198, 98), light);
    EXPECT_EQ(Rgb(buffer, 197, 97), shadow);

    // Without a caption the edge is whole.
    box->SetCaption(L"");
    Repaint(box);
    const int emptyTop = Extent(box->Font(), L"").cy / 2 + 1;
    for (int x = 3; x < 197; ++x) EXPECT_EQ(Rgb(buffer, x, emptyTop), light) << x;
}

TEST_F(GroupBox, TheSkinsFrameGoesAroundAndItsCaptionPartStandsBehindTheCaptionEvenWhenItIsEmpty)
{
    auto* box = Make<TProbeGroupBox>(Form, TRect::FromSize(10, 10, 200, 100));
    ShowForm();
    Repaint(box);
    const int height = Extent(box->Font(), L"").cy;
    const TRect frame{3, height / 2 + 1, 198, 98};
    EXPECT_EQ(box->Skin().Part(L"Frame")->BoundsRect(), frame);
    EXPECT_EQ(box->Skin().Part(L"Caption")->BoundsRect(), (TRect{9, 0, 15, height}));
    auto expected = DrawParts(L"GroupBox", {{L"Frame", ssNormal, frame}, {L"Caption", ssNormal, {9, 0, 15, height}}},
                              200, 100, Form->Color());
    EXPECT_EQ(Differences(Buffer(box), *expected, {0, 0, 200, 100}), 0);

    box->SetCaptionMargin(30);
    box->SetCaption(L"輸出檔案設定");
    Repaint(box);
    const SIZE text = Extent(box->Font(), L"輸出檔案設定");
    EXPECT_EQ(box->Skin().Part(L"Caption")->BoundsRect(), (TRect{27, 0, 33 + text.cx, text.cy}));
}

TEST_F(GroupBox, ItsMnemonicFocusesItsFirstChildInTabOrder)
{
    auto* outside = FocusTaker();
    auto* box = Make<TSeSkinGroupBox>(Form, TRect::FromSize(10, 10, 200, 100), L"&Output");
    auto* second = new TEdit(Form);
    second->SetParent(box);
    second->SetBounds(10, 60, 100, 21);
    auto* first = new TEdit(Form);
    first->SetParent(box);
    first->SetBounds(10, 30, 100, 21);
    first->SetTabOrder(0);
    ShowForm();
    ASSERT_EQ(GetFocus(), outside->Handle());
    SendMessageW(outside->Handle(), WM_SYSCHAR, L'o', 0);
    EXPECT_EQ(GetFocus(), first->Handle());
}

#include "SkinnedControlTesting.h"

#include "skinctl/KsSkinButtons.h"

#include <cmath>
#include <functional>

namespace {

class TProbeButton : public TSeSkinButton {
public:
    using TSeSkinButton::TSeSkinButton;
    // Holds the button down as a held Space would, whatever else holds.
    void HoldDown() { State().KeyDown(); }
};

std::unique_ptr<TKsBitmap> Glyph(int width, int height, const std::function<uint32_t(int, int)>& colour)
{
    auto glyph = std::make_unique<TKsBitmap>();
    glyph->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) glyph->SetPixel(x, y, 0xFF000000u | colour(x, y));
    return glyph;
}

constexpr uint32_t kMagenta = 0xFF00FF;

// A 16 x 16 glyph of varied colours whose bottom-left pixel, the transparent colour, is magenta.
std::unique_ptr<TKsBitmap> VariedGlyph()
{
    return Glyph(16, 16, [](int x, int y) -> uint32_t {
        if (x == 0 && y == 15) return kMagenta;
        return ((x * 16 + y * 3) % 256) << 16 | ((y * 16 + x * 7) % 256) << 8 | ((x * y * 5) % 256);
    });
}

// How many places of buffer show the 16 x 16 expected (a pixel of -1 may be anything).
int Placements(const TKsBitmap& buffer, const std::vector<int64_t>& expected, int width, int height)
{
    int found = 0;
    for (int top = 0; top + 16 <= height; ++top)
        for (int left = 0; left + 16 <= width; ++left) {
            bool all = true;
            for (int i = 0; i < 256 && all; ++i)
                all = expected[i] < 0 || (buffer.Pixel(left + i % 16, top + i / 16) & 0xFFFFFF) == expected[i];
            if (all) ++found;
        }
    return found;
}

// The expected pixels of VariedGlyph turned grey by lightness: level(max + min of the channels).
std::vector<int64_t> Greyed(const TKsBitmap& glyph, const std::function<int(int)>& level)
{
    std::vector<int64_t> expected(256, -1);
    for (int i = 0; i < 256; ++i) {
        const uint32_t p = glyph.Pixel(i % 16, i / 16) & 0xFFFFFF;
        if (p == kMagenta) continue;
        const int r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
        const int grey = level(std::max({r, g, b}) + std::min({r, g, b}));
        expected[i] = (grey << 16) | (grey << 8) | grey;
    }
    return expected;
}

int Count(const TKsBitmap& buffer, uint32_t rgb, const TRect& area)
{
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if ((buffer.Pixel(x, y) & 0xFFFFFF) == rgb) ++count;
    return count;
}

using Button = SkinnedControlTest;

} // namespace

TEST_F(Button, TheGlyphsWidthInSquareCellsGivesItsCellCountUpToFour)
{
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25), L"Go");
    auto plain = [](int x, int y) { return 0x102030u; };
    button->SetGlyph(*Glyph(64, 16, plain));
    EXPECT_EQ(button->NumGlyphs(), 4);
    button->SetGlyph(*Glyph(80, 16, plain));
    EXPECT_EQ(button->NumGlyphs(), 1);
    button->SetGlyph(*Glyph(32, 16, plain));
    EXPECT_EQ(button->NumGlyphs(), 2);
    button->SetGlyph(*Glyph(30, 16, plain));
    EXPECT_EQ(button->NumGlyphs(), 2);

    // No glyph keeps the count, and the count never reaches 0: nothing is divided by it.
    button->SetGlyph(TKsBitmap());
    EXPECT_EQ(button->Glyph(), nullptr);
    EXPECT_EQ(button->NumGlyphs(), 2);
    button->SetNumGlyphs(0);
    EXPECT_EQ(button->NumGlyphs(), 1);
    button->SetGlyph(*Glyph(2, 16, [](int x, int y) { return x == 0 && y == 15 ? kMagenta : 0x102030u; }));
    button->SetNumGlyphs(4);
    ShowForm();
    Repaint(button);
    EXPECT_TRUE(button->Render());
    // A glyph too narrow for its cells shows none of them, and the face is drawn as ever.
    EXPECT_EQ(Count(Buffer(button), 0x102030, {0, 0, 75, 25}), 0);
    const int state = button->HasFocus() ? ssFocused : ssNormal;
    const TRect leftOfCaption{0, 0, 12, 25};
    EXPECT_EQ(Differences(Buffer(button), *DrawPart(L"Button", L"Face", state, {0, 0, 75, 25}, 75, 25, Form->Color()),
                          leftOfCaption),
              0);
}

TEST_F(Button, ADisabledOneCellGlyphShowsInLightGreysAndABlackAndWhiteOneInGreysUntilThePointerComes)
{
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25));
    auto glyph = VariedGlyph();
    button->SetGlyph(*glyph);
    ShowForm();
    // Rounded to the nearest, halves to even, computed here in floating point.
    auto disabledGrey = [](int sum) { return static_cast<int>(std::nearbyint(sum / 510.0 * 50.0)) + 160; };
    auto lightnessGrey = [](int sum) { return static_cast<int>(std::nearbyint(sum / 510.0 * 255.0)); };

    button->SetEnabled(false);
    Repaint(button);
    auto expected = Greyed(*glyph, disabledGrey);
    EXPECT_EQ(Placements(Buffer(button), expected, 75, 25), 1);
    for (int64_t grey : expected)
        if (grey >= 0) {
            EXPECT_GE(grey & 0xFF, 160);
            EXPECT_LE(grey & 0xFF, 210);
        }

    button->SetEnabled(true);
    button->SetBlackAndWhiteGlyph(true);
    Repaint(button);
    EXPECT_EQ(Placements(Buffer(button), Greyed(*glyph, lightnessGrey), 75, 25), 1);

    SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    Repaint(button);
    std::vector<int64_t> original(256);
    for (int i = 0; i < 256; ++i) original[i] = glyph->Pixel(i % 16, i / 16) & 0xFFFFFF;
    original[15 * 16] = -1;
    EXPECT_EQ(Placements(Buffer(button), original, 75, 25), 1);
}

TEST_F(Button, ThreeCellsShowNormalDisabledAndPressedAndNeverACellPastTheThird)
{
    auto* button = Make<TProbeButton>(Form, TRect::FromSize(10, 10, 75, 25), L"", false);
    const uint32_t red = 0xE01010, green = 0x10C010, blue = 0x1010E0;
    button->SetGlyph(*Glyph(48, 16, [&](int x, int y) -> uint32_t {
        if (x == 0 && y == 15) return kMagenta;
        return x < 16 ? red : x < 32 ? green : blue;
    }));
    ASSERT_EQ(button->NumGlyphs(), 3);
    ShowForm();
    const TRect whole{0, 0, 75, 25};
    auto shown = [&](uint32_t colour) {
        Repaint(button);
        return Count(Buffer(button), colour, whole);
    };
    EXPECT_EQ(shown(red), 255);
    button->SetEnabled(false);
    EXPECT_EQ(shown(green), 256);
    // Disabled and pressed would be cell 1 + 2: past the three cells.
    button->HoldDown();
    EXPECT_EQ(shown(blue), 256);
    EXPECT_EQ(Count(Buffer(button), red, whole) + Count(Buffer(button), green, whole), 0);
}

TEST_F(Button, AFourthCellShowsWhileTheButtonIsBothDisabledAndPressed)
{
    auto* button = Make<TProbeButton>(Form, TRect::FromSize(10, 10, 75, 25), L"", false);
    const uint32_t cells[] = {0xE01010, 0x10C010, 0x1010E0, 0xE0E010};
    button->SetGlyph(
        *Glyph(64, 16, [&](int x, int y) -> uint32_t { return x == 0 && y == 15 ? kMagenta : cells[x / 16]; }));
    ASSERT_EQ(button->NumGlyphs(), 4);
    ShowForm();
    button->SetEnabled(false);
    button->HoldDown();
    Repaint(button);
    EXPECT_EQ(Count(Buffer(button), cells[3], {0, 0, 75, 25}), 256);
}

TEST_F(Button, AStandardKindGivesItsResultDefaultAndGlyphButACaptionReadWithTheButtonStays)
{
    auto* read = new TSeSkinButton(Form);
    read->BeginLoading();
    read->SetCaption(L"確定");
    read->SetKind(bkOK);
    read->EndLoading();
    EXPECT_EQ(read->Caption(), L"確定");
    EXPECT_EQ(read->ModalResult(), 1);
    EXPECT_TRUE(read->Default());
    ASSERT_NE(read->Glyph(), nullptr);
    EXPECT_EQ(read->Glyph()->Width(), 32);
    EXPECT_EQ(read->Glyph()->Height(), 16);
    EXPECT_EQ(read->NumGlyphs(), 2);

    auto* made = new TSeSkinButton(Form);
    made->SetCaption(L"x");
    made->SetKind(bkRetry);
    EXPECT_EQ(made->Caption(), L"&Retry");
    EXPECT_EQ(made->ModalResult(), 4);
    EXPECT_FALSE(made->Default());
    made->SetKind(bkCustom);
    EXPECT_EQ(made->Caption(), L"&Retry");
    EXPECT_EQ(made->ModalResult(), 4);

    // Every kind's glyph is in the program, its bottom-left pixel the transparent magenta and its
    // normal cell showing something.
    for (TKsButtonKind kind : {bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll}) {
        const TKsBitmap* glyph = ButtonKindGlyph(kind);
        ASSERT_NE(glyph, nullptr) << kind;
        EXPECT_EQ(glyph->Pixel(0, 15) & 0xFFFFFF, kMagenta) << kind;
        EXPECT_LT(Count(*glyph, kMagenta, {0, 0, 16, 16}), 200) << kind;
    }
}

TEST_F(Button, APressMovedOutAndReleasedIsNoClickButMovingBackInClicksOnRelease)
{
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25), L"Go");
    int clicks = 0;
    button->OnClick = [&] { ++clicks; };
    ShowForm();
    HWND window = button->Handle();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(GetFocus(), window);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(75, 10));
    EXPECT_FALSE(button->Pressed());
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(75, 10));
    EXPECT_EQ(clicks, 0);

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 30));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(74, 24));
    EXPECT_TRUE(button->Pressed());
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(74, 24));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Pressed());

    // Space presses while held and clicks when it comes up.
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(button->Pressed());
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Form->ModalResult(), 0);
}

TEST_F(Button, EnterClicksTheFocusedButtonElseTheDefaultOneAndEscapeTheCancelOne)
{
    TWinControl* edit = FocusTaker();
    auto* ok = Make<TSeSkinButton>(Form, TRect::FromSize(10, 40, 75, 25), L"OK");
    auto* other = Make<TSeSkinButton>(Form, TRect::FromSize(10, 70, 75, 25), L"&Other");
    auto* cancel = Make<TSeSkinButton>(Form, TRect::FromSize(10, 100, 75, 25), L"Cancel");
    ok->SetDefault(true);
    ok->SetModalResult(1);
    cancel->SetCancel(true);
    std::vector<std::wstring> clicked;
    for (TSeSkinButton* b : {ok, other, cancel}) b->OnClick = [&, b] { clicked.push_back(b->Caption()); };
    ShowForm();
    edit->SetFocus();
    EXPECT_TRUE(ok->ShowsDefault());

    PressKey(VK_RETURN);
    EXPECT_EQ(Form->ModalResult(), 1);
    other->SetFocus();
    EXPECT_FALSE(ok->ShowsDefault());
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Form->ModalResult(), 2);
    // The mnemonic typed with Alt in the edit box focuses its button and clicks it.
    edit->SetFocus();
    SendMessageW(edit->Handle(), WM_SYSCHAR, L'o', 0);
    EXPECT_EQ(GetFocus(), other->Handle());
    EXPECT_EQ(clicked, (std::vector<std::wstring>{L"OK", L"&Other", L"Cancel", L"&Other"}));
}

TEST_F(Button, EachStateDrawsTheSkinsFaceInThatState)
{
    FocusTaker();
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25));
    ShowForm();
    const TRect whole{0, 0, 75, 25};
    auto differences = [&](int state) {
        Repaint(button);
        return Differences(Buffer(button), *DrawPart(L"Button", L"Face", state, whole, 75, 25, Form->Color()), whole);
    };
    ASSERT_GT(Differences(*DrawPart(L"Button", L"Face", ssNormal, whole, 75, 25, Form->Color()),
                          *DrawPart(L"Button", L"Face", ssHot, whole, 75, 25, Form->Color()), whole),
              0);
    HWND window = button->Handle();
    EXPECT_EQ(differences(ssNormal), 0);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(differences(ssHot), 0);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(differences(ssPressed), 0);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(differences(ssHot), 0);
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(differences(ssFocused), 0);
    button->SetEnabled(false);
    EXPECT_EQ(differences(ssDisabled), 0);
    // Without an engine the same button falls back to the plain look.
    button->SetSkinEngine(nullptr);
    EXPECT_GT(differences(ssDisabled), 0);
}

TEST_F(Button, ThePlainLookIsRaisedWhenUpAndFlatWithAFocusFrameWhenDown)
{
    FocusTaker();
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25), L"", false);
    ShowForm();
    Repaint(button);
    const TKsBitmap& buffer = Buffer(button);
    const uint32_t face = Rgb(button->Color());
    EXPECT_EQ(Rgb(buffer, 0, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(Rgb(buffer, 74, 24), 0u);
    EXPECT_EQ(Rgb(buffer, 1, 1), face);
    EXPECT_EQ(Rgb(buffer, 73, 23), Rgb(clBtnShadow));
    EXPECT_EQ(Rgb(buffer, 37, 12), face);

    SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Repaint(button);
    EXPECT_EQ(Rgb(buffer, 0, 0), 0u); // the focus frame
    EXPECT_EQ(Rgb(buffer, 1, 1), Rgb(clBtnShadow));
    EXPECT_EQ(Rgb(buffer, 2, 2), face);
    EXPECT_EQ(Rgb(buffer, 4, 4), face ^ 0xFFFFFFu); // the dotted focus rectangle
    EXPECT_EQ(Rgb(buffer, 5, 4), face);
}

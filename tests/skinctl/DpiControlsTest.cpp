#include "SkinnedControlTesting.h"

#include "framework/Dpi.h"
#include "skinctl/KsSkinButtons.h"
#include "skinctl/KsSkinComboBoxs.h"
#include "skinctl/KsSkinEdits.h"

// Skinned controls on a form whose monitor is at 150 % (144 DPI).
class DpiControls : public SkinnedControlTest {
protected:
    void SetUp() override
    {
        SkinnedControlTest::SetUp();
        SetDpiOverride(144);
    }
    void TearDown() override
    {
        SetDpiOverride(0);
        SkinnedControlTest::TearDown();
    }

    static TRect CaretRect()
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetCurrentThreadId(), &info);
        return TRect(info.rcCaret);
    }
};

TEST_F(DpiControls, AButtonGlyphIsRedrawnAtTheDpiAndComesBackUnchanged)
{
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25), L"OK");
    button->SetKind(bkOK);
    const TKsBitmap& design = *ButtonKindGlyph(bkOK);
    ASSERT_EQ(design.Width(), 32);
    ShowForm();

    // Two 16-pixel cells become two 24-pixel cells; the transparent colour stays around them.
    const TKsBitmap* glyph = button->Glyph();
    ASSERT_EQ(glyph->Width(), 48);
    ASSERT_EQ(glyph->Height(), 24);
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(glyph->Pixel(0, 23) & 0xFFFFFF, design.Pixel(0, 15) & 0xFFFFFF);
    EXPECT_EQ(button->Spacing(), 6);

    RECT back{0, 0, 400, 300};
    SendMessageW(Form->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
    glyph = button->Glyph();
    ASSERT_EQ(glyph->Width(), 32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(glyph->Pixel(x, y), design.Pixel(x, y)) << x << ", " << y;
    EXPECT_EQ(button->Spacing(), 4);
}

TEST_F(DpiControls, TheCaretIsTwoPixelsWideAt150Percent)
{
    auto* edit = Make<TSeSkinEdit>(Form, TRect::FromSize(10, 10, 121, 21));
    ShowForm();
    edit->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(CaretRect().Width(), 2);

    RECT back{0, 0, 400, 300};
    SendMessageW(Form->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
    Application->ProcessMessages();
    EXPECT_EQ(CaretRect().Width(), 1);
}

TEST_F(DpiControls, TheDropDownListOpensAtTheComboBoxsDpiWithItsRowsScaled)
{
    auto* combo = Make<TSeSkinComboBox>(Form, TRect::FromSize(10, 10, 35, 21));
    combo->SetItemHeight(13);
    for (int depth = 1; depth <= 8; ++depth) combo->Items().Add(std::to_wstring(depth));
    ShowForm();
    EXPECT_EQ(combo->ItemHeight(), 20); // 19.5 to the even neighbour

    combo->SetFocus();
    combo->OpenDropDownWindow();
    Application->ProcessMessages();
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(combo->DropDownWindow()->Dpi(), 144);
    EXPECT_EQ(combo->ListBox()->Dpi(), 144);
    EXPECT_EQ(combo->ListBox()->ItemHeight(), 20);
    EXPECT_EQ(combo->ListBox()->ItemArea().Height(), 8 * 20);
    combo->CloseDropDownWindow(false);
    Application->ProcessMessages();
}

TEST_F(DpiControls, ThePlainBevelKeepsItsProportionsWithEachDesignPixelOneAndAHalfWide)
{
    auto* edit = Make<TSeSkinEdit>(Form, TRect::FromSize(10, 10, 121, 21), {}, false);
    ShowForm();
    ASSERT_TRUE(edit->Render());
    const TKsBitmap& look = edit->PaintBuffer().Bitmap();
    auto rgb = [&look](int y) { return look.Pixel(look.Width() / 2, y) & 0xFFFFFF; };
    // Design rings 0 to 4 lie at 0, 2, 3, 4 and 6 pixels: the shadow line twice as wide as the dark one.
    const uint32_t shadow = ColorToPixel(clBtnShadow) & 0xFFFFFF, dark = ColorToPixel(cl3DDkShadow) & 0xFFFFFF;
    EXPECT_EQ(rgb(0), shadow);
    EXPECT_EQ(rgb(1), shadow);
    EXPECT_EQ(rgb(2), dark);
    EXPECT_NE(rgb(3), dark);
}

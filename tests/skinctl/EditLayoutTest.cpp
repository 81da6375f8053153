#include "skinctl/KsEditLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Text rectangle from x 4 to 64: ten ASCII characters of 6 pixels fill it exactly.
constexpr int kLeft = 4;
constexpr int kRight = 64;

int Width(std::wstring_view character)
{
    if (character.size() == 2) return 14;
    if (character[0] == L'W') return 10;
    return character[0] < 0x80 ? 6 : 12;
}

TKsEditLayout Layout(std::wstring_view text, TAlignment alignment = taLeftJustify, int cellWidth = 0)
{
    return TKsEditLayout(text, Width, kLeft, kRight, alignment, cellWidth);
}

} // namespace

TEST(EditLayout, AlignmentShiftsOnlyATextNarrowerThanTheBox)
{
    EXPECT_EQ(Layout(L"abc", taRightJustify).CaretX(0, 0), kLeft + 42);
    EXPECT_EQ(Layout(L"abc", taRightJustify).CaretX(3, 0), kRight);
    EXPECT_EQ(Layout(L"abc", taCenterJustify).CaretX(1, 0), kLeft + 21 + 6);
    EXPECT_EQ(Layout(L"abcdefghij", taRightJustify).CaretX(0, 0), kLeft);
    EXPECT_EQ(Layout(L"中文", taCenterJustify, 8).CaretX(2, 0), kLeft + 22 + 16);
}

TEST(EditLayout, ScrollsCharacterByCharacterToTheRightAndJumpsBackToTheCharacterBeforeTheCaret)
{
    std::wstring text = L"0123456789ABCDE";
    TKsEditLayout layout = Layout(text);
    int first = 0;
    for (int caret = 0; caret <= 15; ++caret) {
        first = layout.ScrollIntoView(caret, first);
        EXPECT_EQ(first, std::max(0, caret - 10)) << caret;
        EXPECT_EQ(layout.CaretX(caret, first), caret <= 10 ? kLeft + 6 * caret : kRight);
    }
    for (int caret = 14; caret > 5; --caret) EXPECT_EQ(layout.ScrollIntoView(caret, first), first);
    EXPECT_EQ(layout.ScrollIntoView(5, 5), 4);
    EXPECT_EQ(layout.ScrollIntoView(2, 5), 1);
    EXPECT_EQ(layout.ScrollIntoView(0, 1), 0);

    // Wide characters push the view on by as many characters as needed.
    std::wstring wide = L"abcdefgh中文\xD840\xDC00x";
    EXPECT_EQ(Layout(wide).ScrollIntoView(10, 0), 2);
    EXPECT_EQ(Layout(wide).ScrollIntoView(12, 2), 5);
    EXPECT_EQ(Layout(wide).ScrollIntoView(13, 5), 6);
}

TEST(EditLayout, AClickGoesToTheNearestBoundaryButNeverPastTheRightEdge)
{
    TKsEditLayout layout = Layout(L"abcdef");
    EXPECT_EQ(layout.HitTest(kLeft + 3, 0), 0);
    EXPECT_EQ(layout.HitTest(kLeft + 4, 0), 1);
    EXPECT_EQ(layout.HitTest(kLeft - 20, 0), 0);
    EXPECT_EQ(layout.HitTest(200, 0), 6);
    EXPECT_EQ(Layout(L"0123456789ABCDE").HitTest(200, 0), 10);
    EXPECT_EQ(Layout(L"0123456789ABCDE").HitTest(kLeft + 2, 5), 5);
    EXPECT_EQ(Layout(L"中a").HitTest(kLeft + 7, 0), 1);
    EXPECT_EQ(Layout(L"abc", taRightJustify).HitTest(kLeft + 42 + 4, 0), 1);
    EXPECT_EQ(Layout(L"").HitTest(50, 0), 0);
}

TEST(EditLayout, PasswordCellsAreOnePerCharacterAndAClickTakesTheCellBoundaryToItsLeft)
{
    std::wstring text = L"\xD840\xDC00\xD840\xDC00"
                        L"ab";
    TKsEditLayout layout = Layout(text, taLeftJustify, 8);
    EXPECT_EQ(layout.HitTest(kLeft + 15, 0), 2);
    EXPECT_EQ(layout.HitTest(kLeft + 17, 0), 4);
    EXPECT_EQ(layout.HitTest(kLeft + 100, 0), 6);
    EXPECT_EQ(layout.CaretX(4, 2), kLeft + 8);
    EXPECT_EQ(layout.VisibleEnd(0), 6);
}

TEST(EditLayout, LongTextsAreWalkedOnlyWhereTheViewIs)
{
    std::wstring text(10000, L'x');
    int calls = 0;
    TKsEditLayout layout(
        text, [&](std::wstring_view character) { return ++calls, Width(character); }, kLeft, kRight, taRightJustify, 0);
    int first = layout.ScrollIntoView(10000, 0);
    EXPECT_EQ(first, 9990);
    EXPECT_EQ(layout.CaretX(10000, first), kRight);
    EXPECT_EQ(layout.HitTest(kLeft + 30, first), 9995);
    EXPECT_EQ(layout.VisibleEnd(first), 10000);
    EXPECT_LT(calls, 100);
}

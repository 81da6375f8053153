#include "skinctl/KsListStyles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const TKsFontFamily* Find(const std::vector<TKsFontFamily>& families, const std::wstring& name)
{
    auto found = std::find_if(families.begin(), families.end(), [&](const TKsFontFamily& f) { return f.Name == name; });
    return found == families.end() ? nullptr : &*found;
}

} // namespace

TEST(ListStyles, FontFamiliesCarryTheTrueTypeBitAndFilterByType)
{
    auto all = EnumerateFontFamilies(fdScreen, ftAll);
    const TKsFontFamily* tahoma = Find(all, L"Tahoma");
    ASSERT_NE(tahoma, nullptr);
    EXPECT_TRUE(tahoma->PitchAndFamily & kTrueTypeFamilyBit);
    auto trueType = EnumerateFontFamilies(fdScreen, ftTrueType);
    EXPECT_NE(Find(trueType, L"Tahoma"), nullptr);
    EXPECT_TRUE(std::all_of(trueType.begin(), trueType.end(),
                            [](const TKsFontFamily& f) { return f.PitchAndFamily & kTrueTypeFamilyBit; }));

    auto fixed = EnumerateFontFamilies(fdScreen, ftFixedPitch);
    EXPECT_NE(Find(fixed, L"DejaVu Sans Mono"), nullptr);
    EXPECT_EQ(Find(fixed, L"Tahoma"), nullptr);
}

TEST(ListStyles, ColorItemsNameTheirColourByNameOrNumber)
{
    EXPECT_EQ(ListColorNames().front(), std::wstring(L"clBlack"));
    EXPECT_EQ(ListColorNames().back(), std::wstring(L"clWindowText"));
    TColor color = 0;
    ASSERT_TRUE(ListItemColor(L"clWindowText", color));
    EXPECT_EQ(color, clWindowText);
    ASSERT_TRUE(ListItemColor(L"$00FF8000", color));
    EXPECT_EQ(color, 0x00FF8000);
    EXPECT_FALSE(ListItemColor(L"chartreuse", color));
    EXPECT_EQ(ColorDisplayName(L"clWindowText"), L"WindowText");
    EXPECT_EQ(ColorDisplayName(L"Uncle"), L"Uncle");
}

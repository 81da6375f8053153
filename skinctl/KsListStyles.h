#pragma once

#include "framework/Graphics.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// How a list box fills and draws its items: plain texts, texts drawn (and measured) by the owner,
// the installed font families, or the framework's colour names.
enum TKsListBoxStyle {
    lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbFonts, lbFontSamples, lbColors, lbColorNames
};
enum TFontDevice { fdScreen, fdPrinter };
enum TFontType { ftAll, ftTrueType, ftFixedPitch };

// The pitch-and-family bit of a TrueType family in a font family's attached value.
constexpr intptr_t kTrueTypeFamilyBit = TMPF_TRUETYPE;

struct TKsFontFamily {
    std::wstring Name;
    // The family's pitch-and-family bits as the platform reports them for its text metrics.
    intptr_t PitchAndFamily = 0;
};

// The font families of the screen or of the default printer (none without a printer), filtered by
// type. A family may come once per character set.
std::vector<TKsFontFamily> EnumerateFontFamilies(TFontDevice device, TFontType type);

// The colour names a colour list shows, in its order.
const std::array<const wchar_t*, 49>& ListColorNames();
// The colour an item's text names: a colour name or a number. False when it names none.
bool ListItemColor(const std::wstring& text, TColor& color);
// The text a colour-name list shows for an item: the name without its "cl".
std::wstring ColorDisplayName(const std::wstring& text);

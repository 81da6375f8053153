#include "skin/objects/KsSkinProperties.h"

#include "framework/Text.h"
#include "skin/raster/KsBitmap.h"

#include <array>
#include <utility>

namespace {

struct TNamedValue {
    int Value;
    const wchar_t* Name;
};

// Every standard colour name: the fixed colours, the system colours in the order of their indexes,
// and the two markers. Each value has one name, so writing a value always gives the same name.
constexpr TNamedValue colorNames[] = {
    {clBlack, L"clBlack"},
    {clMaroon, L"clMaroon"},
    {clGreen, L"clGreen"},
    {clOlive, L"clOlive"},
    {clNavy, L"clNavy"},
    {clPurple, L"clPurple"},
    {clTeal, L"clTeal"},
    {clGray, L"clGray"},
    {clSilver, L"clSilver"},
    {clRed, L"clRed"},
    {clLime, L"clLime"},
    {clYellow, L"clYellow"},
    {clBlue, L"clBlue"},
    {clFuchsia, L"clFuchsia"},
    {clAqua, L"clAqua"},
    {clWhite, L"clWhite"},
    {clMoneyGreen, L"clMoneyGreen"},
    {clSkyBlue, L"clSkyBlue"},
    {clCream, L"clCream"},
    {clMedGray, L"clMedGray"},
    {clScrollBar, L"clScrollBar"},
    {clBackground, L"clBackground"},
    {clActiveCaption, L"clActiveCaption"},
    {clInactiveCaption, L"clInactiveCaption"},
    {clMenu, L"clMenu"},
    {clWindow, L"clWindow"},
    {clWindowFrame, L"clWindowFrame"},
    {clMenuText, L"clMenuText"},
    {clWindowText, L"clWindowText"},
    {clCaptionText, L"clCaptionText"},
    {clActiveBorder, L"clActiveBorder"},
    {clInactiveBorder, L"clInactiveBorder"},
    {clAppWorkSpace, L"clAppWorkSpace"},
    {clHighlight, L"clHighlight"},
    {clHighlightText, L"clHighlightText"},
    {clBtnFace, L"clBtnFace"},
    {clBtnShadow, L"clBtnShadow"},
    {clGrayText, L"clGrayText"},
    {clBtnText, L"clBtnText"},
    {clInactiveCaptionText, L"clInactiveCaptionText"},
    {clBtnHighlight, L"clBtnHighlight"},
    {cl3DDkShadow, L"cl3DDkShadow"},
    {cl3DLight, L"cl3DLight"},
    {clInfoText, L"clInfoText"},
    {clInfoBk, L"clInfoBk"},
    {clHotLight, L"clHotLight"},
    {clGradientActiveCaption, L"clGradientActiveCaption"},
    {clGradientInactiveCaption, L"clGradientInactiveCaption"},
    {clMenuHighlight, L"clMenuHighlight"},
    {clMenuBar, L"clMenuBar"},
    {clNone, L"clNone"},
    {clDefault, L"clDefault"},
};

constexpr TNamedValue charsetNames[] = {
    {ANSI_CHARSET, L"ANSI_CHARSET"},
    {DEFAULT_CHARSET, L"DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, L"SYMBOL_CHARSET"},
    {MAC_CHARSET, L"MAC_CHARSET"},
    {SHIFTJIS_CHARSET, L"SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, L"HANGEUL_CHARSET"},
    {JOHAB_CHARSET, L"JOHAB_CHARSET"},
    {GB2312_CHARSET, L"GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, L"CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, L"GREEK_CHARSET"},
    {TURKISH_CHARSET, L"TURKISH_CHARSET"},
    {VIETNAMESE_CHARSET, L"VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, L"HEBREW_CHARSET"},
    {ARABIC_CHARSET, L"ARABIC_CHARSET"},
    {BALTIC_CHARSET, L"BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, L"RUSSIAN_CHARSET"},
    {THAI_CHARSET, L"THAI_CHARSET"},
    {EASTEUROPE_CHARSET, L"EASTEUROPE_CHARSET"},
    {OEM_CHARSET, L"OEM_CHARSET"},
};

template <size_t N>
bool ValueToIdent(const TNamedValue (&table)[N], int value, std::wstring& ident)
{
    for (const TNamedValue& entry : table)
        if (entry.Value == value) {
            ident = entry.Name;
            return true;
        }
    return false;
}

template <size_t N>
bool IdentToValue(const TNamedValue (&table)[N], std::wstring_view ident, int& value)
{
    for (const TNamedValue& entry : table)
        if (SameTextAscii(entry.Name, ident)) {
            value = entry.Value;
            return true;
        }
    return false;
}

constexpr std::array<const wchar_t*, 4> fontStyleNames = {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"};

template <typename T>
TSeProperty<T> OrdinalProperty(std::wstring name, TSePropertyKind kind, std::function<int(const T&)> get,
                               std::function<void(T&, int)> set)
{
    TSeProperty<T> p;
    p.Name = std::move(name);
    p.Kind = kind;
    p.GetOrdinal = std::move(get);
    p.SetOrdinal = std::move(set);
    return p;
}

template <typename T>
TSeProperty<T> StringProperty(std::wstring name, std::function<std::wstring(const T&)> get,
                              std::function<void(T&, const std::wstring&)> set)
{
    TSeProperty<T> p;
    p.Name = std::move(name);
    p.Kind = TSePropertyKind::String;
    p.GetString = std::move(get);
    p.SetString = std::move(set);
    return p;
}

} // namespace

bool ColorToIdent(TColor color, std::wstring& ident) { return ValueToIdent(colorNames, color, ident); }
bool IdentToColor(std::wstring_view ident, TColor& color) { return IdentToValue(colorNames, ident, color); }
bool CharsetToIdent(int charset, std::wstring& ident) { return ValueToIdent(charsetNames, charset, ident); }
bool IdentToCharset(std::wstring_view ident, int& charset) { return IdentToValue(charsetNames, ident, charset); }

const std::vector<TSeProperty<TFont>>& FontProperties()
{
    static const std::vector<TSeProperty<TFont>> list = [] {
        using K = TSePropertyKind;
        std::vector<TSeProperty<TFont>> l;
        l.push_back(OrdinalProperty<TFont>(
            L"Charset", K::Charset, [](const TFont& f) { return f.Charset(); },
            [](TFont& f, int v) { f.SetCharset(v); }));
        l.push_back(OrdinalProperty<TFont>(
            L"Color", K::Color, [](const TFont& f) { return f.Color(); }, [](TFont& f, int v) { f.SetColor(v); }));
        l.push_back(OrdinalProperty<TFont>(
            L"Height", K::Integer, [](const TFont& f) { return f.Height(); }, [](TFont& f, int v) { f.SetHeight(v); }));
        l.push_back(StringProperty<TFont>(
            L"Name", [](const TFont& f) { return f.Name(); }, [](TFont& f, const std::wstring& v) { f.SetName(v); }));
        // An empty font name has no line, like the name of an unused link.
        l.back().Stored = [](const TFont& f) { return !f.Name().empty(); };
        TSeProperty<TFont> style = OrdinalProperty<TFont>(
            L"Style", K::FontStyles, [](const TFont& f) { return static_cast<int>(f.Style().Bits()); },
            [](TFont& f, int bits) {
                TFontStyles styles;
                for (int s = fsBold; s <= fsStrikeOut; ++s)
                    if (bits & (1 << s)) styles.Include(static_cast<TFontStyle>(s));
                f.SetStyle(styles);
            });
        style.ValueNames = fontStyleNames;
        l.push_back(std::move(style));
        return l;
    }();
    return list;
}

const std::vector<TSeProperty<TKsBitmapLink>>& BitmapLinkProperties()
{
    static const std::vector<TSeProperty<TKsBitmapLink>> list = [] {
        using K = TSePropertyKind;
        using L = TKsBitmapLink;
        std::vector<TSeProperty<L>> l;
        l.push_back(StringProperty<L>(
            L"Name", [](const L& k) { return k.Name(); }, [](L& k, const std::wstring& v) { k.SetName(v); }));
        // An empty link name is not written; the rectangle always is.
        l.back().Stored = [](const L& k) { return !k.Name().empty(); };
        l.push_back(OrdinalProperty<L>(
            L"Left", K::Integer, [](const L& k) { return k.Left(); }, [](L& k, int v) { k.SetLeft(v); }));
        l.push_back(OrdinalProperty<L>(
            L"Top", K::Integer, [](const L& k) { return k.Top(); }, [](L& k, int v) { k.SetTop(v); }));
        l.push_back(OrdinalProperty<L>(
            L"Right", K::Integer, [](const L& k) { return k.Right(); }, [](L& k, int v) { k.SetRight(v); }));
        l.push_back(OrdinalProperty<L>(
            L"Bottom", K::Integer, [](const L& k) { return k.Bottom(); }, [](L& k, int v) { k.SetBottom(v); }));
        return l;
    }();
    return list;
}

template <typename T>
const TSeProperty<T>* FindProperty(const std::vector<TSeProperty<T>>& list, std::wstring_view name)
{
    for (const TSeProperty<T>& p : list)
        if (SameTextAscii(p.Name, name)) return &p;
    return nullptr;
}

template const TSeProperty<TSeSkinObject>* FindProperty(const std::vector<TSeProperty<TSeSkinObject>>&,
                                                        std::wstring_view);
template const TSeProperty<TFont>* FindProperty(const std::vector<TSeProperty<TFont>>&, std::wstring_view);
template const TSeProperty<TKsBitmapLink>* FindProperty(const std::vector<TSeProperty<TKsBitmapLink>>&,
                                                        std::wstring_view);

TSePropertyList SeProperties::Extend(const TSePropertyList& base, std::initializer_list<TSeObjectProperty> added)
{
    TSePropertyList list = base;
    list.insert(list.end(), added.begin(), added.end());
    return list;
}

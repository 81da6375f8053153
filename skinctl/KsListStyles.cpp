#include "skinctl/KsListStyles.h"

#include "framework/Handles.h"
#include "framework/Text.h"
#include "skin/objects/KsSkinProperties.h"

#include <windows.h>
#include <commdlg.h>

namespace {

struct TEnumContext {
    TFontType Type;
    std::vector<TKsFontFamily>* Families;
};

int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType, LPARAM data)
{
    auto& context = *reinterpret_cast<TEnumContext*>(data);
    if (context.Type == ftTrueType && !(fontType & TRUETYPE_FONTTYPE)) return 1;
    if (context.Type == ftFixedPitch && (font->lfPitchAndFamily & 3) != FIXED_PITCH) return 1;
    context.Families->push_back({font->lfFaceName, metrics->tmPitchAndFamily});
    return 1;
}

// The default printer's drawing context, or none when there is no printer.
TMemoryDC DefaultPrinterDC()
{
    PRINTDLGW request{};
    request.lStructSize = sizeof(request);
    request.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgW(&request)) return TMemoryDC();
    if (request.hDevMode) GlobalFree(request.hDevMode);
    if (request.hDevNames) GlobalFree(request.hDevNames);
    return TMemoryDC(request.hDC);
}

} // namespace

std::vector<TKsFontFamily> EnumerateFontFamilies(TFontDevice device, TFontType type)
{
    std::vector<TKsFontFamily> families;
    TEnumContext context{type, &families};
    LOGFONTW pattern{};
    pattern.lfCharSet = DEFAULT_CHARSET;
    if (device == fdPrinter) {
        TMemoryDC printer = DefaultPrinterDC();
        if (printer)
            EnumFontFamiliesExW(printer.Get(), &pattern, AddFamily, reinterpret_cast<LPARAM>(&context), 0);
    } else {
        TWindowDC screen(nullptr);
        EnumFontFamiliesExW(screen.Get(), &pattern, AddFamily, reinterpret_cast<LPARAM>(&context), 0);
    }
    return families;
}

const std::array<const wchar_t*, 49>& ListColorNames()
{
    static const std::array<const wchar_t*, 49> names = {
        L"clBlack", L"clMaroon", L"clGreen", L"clOlive", L"clNavy", L"clPurple", L"clTeal",
        L"clGray", L"clSilver", L"clRed", L"clLime", L"clYellow", L"clBlue", L"clFuchsia",
        L"clAqua", L"clWhite", L"clMoneyGreen", L"clSkyBlue", L"clCream", L"clMedGray", L"clActiveBorder",
        L"clActiveCaption", L"clAppWorkSpace", L"clBackground", L"clBtnFace", L"clBtnHighlight", L"clBtnShadow",
        L"clBtnText", L"clCaptionText", L"clDefault", L"clGradientActiveCaption", L"clGradientInactiveCaption",
        L"clGrayText", L"clHighlight", L"clHighlightText", L"clInactiveBorder", L"clInactiveCaption",
        L"clInactiveCaptionText", L"clInfoBk", L"clInfoText", L"clMenu", L"clMenuText", L"clNone",
        L"clScrollBar", L"cl3DDkShadow", L"cl3DLight", L"clWindow", L"clWindowFrame", L"clWindowText",
    };
    return names;
}

bool ListItemColor(const std::wstring& text, TColor& color)
{
    if (IdentToColor(text, color)) return true;
    int value = 0;
    if (!TryStrToInt(text, value)) return false;
    color = value;
    return true;
}

std::wstring ColorDisplayName(const std::wstring& text)
{
    return text.starts_with(L"cl") ? text.substr(2) : text;
}

#include "app/EncodedText.h"

#include "framework/Text.h"

#include <windows.h>

#include <algorithm>

namespace {

bool HasLoneSurrogate(std::wstring_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsSurrogatePairAt(text, i))
            ++i;
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
            return true;
    }
    return false;
}

void AppendConverted(std::string& out, std::wstring_view text, UINT codePage, DWORD flags, const char* defaultChar,
                     BOOL* usedDefault)
{
    int length = static_cast<int>(text.size());
    int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, defaultChar, usedDefault);
    size_t start = out.size();
    out.resize(start + size);
    WideCharToMultiByte(codePage, flags, text.data(), length, out.data() + start, size, defaultChar, usedDefault);
}

bool AppendUtf8(std::string& out, std::wstring_view text)
{
    AppendConverted(out, text, CP_UTF8, 0, nullptr, nullptr);
    return HasLoneSurrogate(text);
}

// The platform would write each half of a surrogate pair as a "?" of its own.
bool AppendAnsi(std::string& out, std::wstring_view text)
{
    std::wstring characters;
    bool pairLost = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsSurrogatePairAt(text, i)) {
            characters.push_back(L'?');
            pairLost = true;
            ++i;
        } else {
            characters.push_back(text[i]);
        }
    }
    BOOL usedDefault = FALSE;
    AppendConverted(out, characters, CP_ACP, WC_NO_BEST_FIT_CHARS, "?", &usedDefault);
    return pairLost || usedDefault;
}

} // namespace

bool AppendEncoded(std::string& out, std::wstring_view text, TListingEncoding encoding)
{
    // Names are nearly always ASCII, which every encoding here maps to itself.
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) {
        for (wchar_t c : text) out.push_back(static_cast<char>(c));
        return false;
    }
    // A system whose ANSI code page is UTF-8 refuses the flags of the exact conversion.
    static const bool ansiIsUtf8 = GetACP() == CP_UTF8;
    if (encoding == leUtf8 || ansiIsUtf8) return AppendUtf8(out, text);
    return AppendAnsi(out, text);
}

std::string WideToAnsiExact(std::wstring_view text)
{
    std::string out;
    AppendEncoded(out, text, leAnsi);
    return out;
}

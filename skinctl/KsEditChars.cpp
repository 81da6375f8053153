#include "skinctl/KsEditChars.h"

#include <windows.h>

namespace {

int Length(std::wstring_view text) { return static_cast<int>(text.size()); }

// A pair starts at pos when a high half is followed by its low half.
bool PairAt(std::wstring_view text, int pos) { return pos >= 0 && IsSurrogatePairAt(text, static_cast<size_t>(pos)); }

int CharBytes(std::wstring_view character)
{
    if (character.size() == 1 && character[0] < 0x80) return 1;
    return WideCharToMultiByte(CP_ACP, 0, character.data(), static_cast<int>(character.size()), nullptr, 0, nullptr,
                               nullptr);
}

} // namespace

int NextCharPos(std::wstring_view text, int pos)
{
    if (pos >= Length(text)) return Length(text);
    return PairAt(text, pos) ? pos + 2 : pos + 1;
}

int PrevCharPos(std::wstring_view text, int pos)
{
    if (pos <= 0) return 0;
    return PairAt(text, pos - 2) ? pos - 2 : pos - 1;
}

int ClampToChar(std::wstring_view text, int pos)
{
    if (pos <= 0) return 0;
    if (pos >= Length(text)) return Length(text);
    return PairAt(text, pos - 1) ? pos - 1 : pos;
}

int AnsiByteLength(std::wstring_view text)
{
    if (text.empty()) return 0;
    return WideCharToMultiByte(CP_ACP, 0, text.data(), Length(text), nullptr, 0, nullptr, nullptr);
}

int AnsiPrefixLength(std::wstring_view text, int maxBytes)
{
    if (AnsiByteLength(text) <= maxBytes) return Length(text);
    int pos = 0;
    int bytes = 0;
    while (pos < Length(text)) {
        int next = NextCharPos(text, pos);
        bytes += CharBytes(text.substr(pos, next - pos));
        if (bytes > maxBytes) break;
        pos = next;
    }
    return pos;
}

int PreviousWordStart(std::wstring_view text, int pos)
{
    pos = ClampToChar(text, pos);
    bool passedWord = false;
    while (pos > 0) {
        bool blank = text[pos - 1] == L' ';
        if (blank && passedWord) break;
        if (!blank) passedWord = true;
        --pos;
    }
    return pos;
}

int NextWordStart(std::wstring_view text, int pos)
{
    bool word = false;
    bool blankAfterWord = false;
    for (int i = ClampToChar(text, pos); i < Length(text); ++i) {
        if (text[i] == L' ') {
            if (word) blankAfterWord = true;
            continue;
        }
        if (blankAfterWord) return i;
        word = true;
    }
    return Length(text);
}

bool IsControlUnit(wchar_t unit) { return unit < L' ' || unit == 0x7F; }

std::wstring TypableText(std::wstring_view text)
{
    std::wstring result;
    result.reserve(text.size());
    for (int i = 0; i < Length(text); ++i) {
        wchar_t unit = text[i];
        if (unit == L'\r' || unit == L'\n') break;
        if (IsControlUnit(unit)) continue;
        if (PairAt(text, i)) {
            result.append(text.substr(i, 2));
            ++i;
            continue;
        }
        if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) continue;
        result.push_back(unit);
    }
    return result;
}

std::wstring ApplyCharCase(std::wstring_view text, TEditCharCase charCase)
{
    std::wstring result(text);
    if (result.empty()) return result;
    if (charCase == ecUpperCase) CharUpperBuffW(result.data(), static_cast<DWORD>(result.size()));
    if (charCase == ecLowerCase) CharLowerBuffW(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

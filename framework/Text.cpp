#include "framework/Text.h"

#include "framework/Exceptions.h"

#include <windows.h>

#include <climits>

namespace {

std::string WideToCodePage(std::wstring_view text, UINT codePage)
{
    if (text.empty()) return {};
    int size =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring CodePageToWide(std::string_view text, UINT codePage)
{
    if (text.empty()) return {};
    int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

bool IsBlank(wchar_t c) { return c <= L' '; }

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; }

} // namespace

std::string WideToAnsi(std::wstring_view text) { return WideToCodePage(text, CP_ACP); }
std::string WideToUtf8(std::wstring_view text) { return WideToCodePage(text, CP_UTF8); }
std::wstring AnsiToWide(std::string_view text) { return CodePageToWide(text, CP_ACP); }
std::wstring Utf8ToWide(std::string_view text) { return CodePageToWide(text, CP_UTF8); }

bool FitsAnsiCodePage(std::wstring_view text)
{
    if (text.empty()) return true;
    BOOL substituted = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, &substituted);
    return size > 0 && !substituted;
}

std::wstring TrimLeft(std::wstring_view text)
{
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    return std::wstring(text.substr(start));
}

std::wstring TrimRight(std::wstring_view text)
{
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return std::wstring(text.substr(0, end));
}

std::wstring Trim(std::wstring_view text) { return TrimRight(TrimLeft(text)); }

std::wstring AsciiLowerCase(std::wstring_view text)
{
    std::wstring result(text);
    for (auto& c : result) c = AsciiLower(c);
    return result;
}

std::wstring AsciiUpperCase(std::wstring_view text)
{
    std::wstring result(text);
    for (auto& c : result)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - (L'a' - L'A'));
    return result;
}

// Compares in place: name lookups in skins and lists call this often.
bool SameTextAscii(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool TryStrToInt(std::wstring_view text, int& value)
{
    size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';

    unsigned base = 10;
    if (i < text.size() && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return false;

    // Hexadecimal numbers may fill all 32 bits (as bit patterns); decimal ones must fit the signed range.
    unsigned long long limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    unsigned long long magnitude = 0;
    for (; i < text.size(); ++i) {
        wchar_t c = text[i];
        unsigned digit;
        if (c >= L'0' && c <= L'9') digit = c - L'0';
        else if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
        else if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
        else return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return false;
    }
    auto bits = static_cast<unsigned>(magnitude);
    value = static_cast<int>(negative ? 0u - bits : bits);
    return true;
}

int StrToInt(std::wstring_view text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(FormatMessageText(L"'%s' is not a valid integer value", {std::wstring(text)}));
    return value;
}

std::wstring IncludeTrailingBackslash(std::wstring_view path)
{
    std::wstring result(path);
    if (result.empty() || result.back() != L'\\') result += L'\\';
    return result;
}

std::wstring ExtractFilePath(std::wstring_view path)
{
    size_t slash = path.find_last_of(L"\\:");
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash + 1));
}

std::wstring ExtractFileName(std::wstring_view path)
{
    size_t slash = path.find_last_of(L"\\:");
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring ExtractFileExt(std::wstring_view path)
{
    size_t dot = path.find_last_of(L".\\:");
    return dot == std::wstring_view::npos || path[dot] != L'.' ? std::wstring() : std::wstring(path.substr(dot));
}

std::wstring ExpandFileName(const std::wstring& path)
{
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::wstring full(size, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return {};
    full.resize(length);
    return full;
}

wchar_t AcceleratorChar(std::wstring_view caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return caption[i + 1];
        ++i;
    }
    return 0;
}

std::wstring StripHotkey(std::wstring_view caption)
{
    std::wstring text;
    text.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
        else if (caption[i] == L'&') continue;
        text += caption[i];
    }
    return text;
}

bool IsAccelerator(wchar_t key, std::wstring_view caption)
{
    wchar_t accelerator = AcceleratorChar(caption);
    if (!accelerator || !key) return false;
    auto upper = [](wchar_t c) {
        return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(c))));
    };
    return upper(accelerator) == upper(key);
}

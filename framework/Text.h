#pragma once

#include <string>
#include <string_view>

// Conversions at the edges of the program: inside, every text is UTF-16; files and skin content
// hold bytes in the system's ANSI code page.
std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

// The halves of a character beyond the basic plane, which UTF-16 writes as a surrogate pair.
constexpr bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
// A whole surrogate pair starts at i: a high half followed by its low half.
constexpr bool IsSurrogatePairAt(std::wstring_view text, size_t i)
{
    return i + 1 < text.size() && IsHighSurrogate(text[i]) && IsLowSurrogate(text[i + 1]);
}

// True when every character of the text has its own code in the ANSI code page, with no substitute
// and no look-alike ("é" becoming "e").
bool FitsAnsiCodePage(std::wstring_view text);

// Removes leading and trailing units up to and including the blank (blanks and control characters).
std::wstring Trim(std::wstring_view text);
std::wstring TrimLeft(std::wstring_view text);
std::wstring TrimRight(std::wstring_view text);

// Folds A to Z to a to z and nothing else.
std::wstring AsciiLowerCase(std::wstring_view text);
std::wstring AsciiUpperCase(std::wstring_view text);
bool SameTextAscii(std::wstring_view a, std::wstring_view b);

// Integer conversion of the run: leading blanks, an optional sign, decimal digits or a hexadecimal
// number after "$" or "0x"; anything else (also trailing characters or an empty text) raises
// EConvertError "'%s' is not a valid integer value".
int StrToInt(std::wstring_view text);
bool TryStrToInt(std::wstring_view text, int& value);

std::wstring IncludeTrailingBackslash(std::wstring_view path);
std::wstring ExtractFilePath(std::wstring_view path);
std::wstring ExtractFileName(std::wstring_view path);
std::wstring ExtractFileExt(std::wstring_view path);
// The path made absolute against the current folder by the platform; empty when it cannot be.
std::wstring ExpandFileName(const std::wstring& path);

// The mnemonic of a caption: the character after a single "&" ("&&" is a literal ampersand), or 0.
wchar_t AcceleratorChar(std::wstring_view caption);
// The caption as it is read: single "&" marks removed, "&&" as one "&".
std::wstring StripHotkey(std::wstring_view caption);
// True when key is the caption's mnemonic, compared without regard to case.
bool IsAccelerator(wchar_t key, std::wstring_view caption);

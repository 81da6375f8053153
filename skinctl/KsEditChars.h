#pragma once

#include "framework/Text.h"

#include <string>
#include <string_view>

// The character rules of the single-line edit. Positions are UTF-16 offsets 0..length; a surrogate
// pair is one character, so no caret, selection edge or deletion ever lies inside one. Lengths that
// a limit counts are the bytes the text takes in the ANSI code page.

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// The position after the character at pos (length at the end).
int NextCharPos(std::wstring_view text, int pos);
// The position before the character that ends at pos (0 at the start).
int PrevCharPos(std::wstring_view text, int pos);
// pos clamped to 0..length and moved off the middle of a surrogate pair to the character's start.
int ClampToChar(std::wstring_view text, int pos);

// Bytes the text takes in the ANSI code page; one byte per character for ASCII.
int AnsiByteLength(std::wstring_view text);
// The length of the longest leading part of text, ending on a character boundary, that takes at
// most maxBytes ANSI bytes.
int AnsiPrefixLength(std::wstring_view text, int maxBytes);

// Word boundaries: only the blank separates words.
// Moves left from pos, stopping after a word when the character before is a blank.
int PreviousWordStart(std::wstring_view text, int pos);
// The first character after pos that starts a word following a blank that followed a word; the
// length when there is none.
int NextWordStart(std::wstring_view text, int pos);

// True for units that typing refuses: control characters (below the blank, and DEL).
bool IsControlUnit(wchar_t unit);
// What a paste may insert into one line: the text up to its first line break, without control
// characters and without surrogate halves that have no partner.
std::wstring TypableText(std::wstring_view text);

// The text in the case the edit keeps (by the platform's locale rules; one unit for one unit).
std::wstring ApplyCharCase(std::wstring_view text, TEditCharCase charCase);

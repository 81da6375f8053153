#pragma once

#include "app/ListingEncoding.h"

#include <string>
#include <string_view>

// Appends text to out in the given encoding and tells whether a character could not be held. In
// the ANSI code page such a character is written as one "?" and never as a look-alike ("é" does not
// become "e"); a character outside the Basic Multilingual Plane, which no ANSI code page holds, is one
// character and so one "?". In UTF-8 only a lone surrogate cannot be held: it is written as U+FFFD.
bool AppendEncoded(std::string& out, std::wstring_view text, TListingEncoding encoding);

// The whole text in the ANSI code page under the same rule.
std::string WideToAnsiExact(std::wstring_view text);

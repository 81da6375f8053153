#pragma once

#include "framework/Controls.h"

#include <windows.h>

#include <string>

// A keyboard shortcut: the virtual-key code in the low byte plus modifier bits.
using TShortCut = unsigned short;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The shortcut of a key pressed with these modifiers.
TShortCut ShortCut(WORD key, TShiftState shift);
// The shortcut of a key message: its key code, Shift and Ctrl as the keyboard holds them now, and
// Alt as the message's key data says (bit 29, set for system keys pressed with Alt).
TShortCut ShortCutFromKeyMessage(WPARAM key, LPARAM keyData);
// The platform's name of a shortcut, such as "Alt+F4" or "Ctrl+S"; empty for none.
std::wstring ShortCutToText(TShortCut shortCut);

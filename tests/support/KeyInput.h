#pragma once

#include "framework/Controls.h"

#include <windows.h>

// Keys as the keyboard delivers them to this thread: the modifiers' state as GetKeyState reads it,
// and a press posted to a window through the message loop.

// Holds exactly the given modifiers (Shift, Ctrl) down, and releases the others.
inline void HoldModifiers(TShiftState modifiers)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = (modifiers & ssShift) ? 0x80 : 0;
    state[VK_CONTROL] = (modifiers & ssCtrl) ? 0x80 : 0;
    SetKeyboardState(state);
}

// Posts a key's press and release to target.
inline void PostKeyPress(HWND target, WPARAM key)
{
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

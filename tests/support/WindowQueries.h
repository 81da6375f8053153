#pragma once

#include "framework/Types.h"

#include <windows.h>

#include <string>

// What tests read back from real windows on the display.

inline std::wstring WindowText(HWND window)
{
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

// The caption of a menu entry by its position.
inline std::wstring MenuText(HMENU menu, int position)
{
    wchar_t buffer[128] = {};
    GetMenuStringW(menu, position, buffer, 128, MF_BYPOSITION);
    return buffer;
}

// Window rectangle of a child relative to its parent's client area.
inline TRect ChildRect(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r);
}

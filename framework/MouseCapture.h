#pragma once

#include <windows.h>

// Nested mouse capture: the first call captures for window, later ones count; the last release
// releases the capture when that window still holds it.
void CaptureMouse(HWND window);
void ReleaseMouse();

#include "framework/MouseCapture.h"

namespace {

int captureCount = 0;
HWND captureWindow = nullptr;

} // namespace

void CaptureMouse(HWND window)
{
    if (captureCount++ == 0) {
        captureWindow = window;
        SetCapture(window);
    }
}

void ReleaseMouse()
{
    if (captureCount == 0) return;
    if (--captureCount == 0) {
        if (GetCapture() == captureWindow) ReleaseCapture();
        captureWindow = nullptr;
    }
}

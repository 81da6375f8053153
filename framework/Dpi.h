#pragma once

#include "framework/Types.h"

#include <windows.h>

// Windows are laid out in design units of 96 dots per inch and scaled to the DPI of the monitor
// they are shown on. The DPI queries below are the one place the program asks the platform; a test
// replaces their answer with SetDpiOverride.
constexpr int kDesignDpi = 96;

// value * dpi / 96, rounded to nearest with halves to even.
int ScaleByDpi(int value, int dpi);
// The inverse: value * 96 / dpi, rounded the same way.
int UnscaleByDpi(int value, int dpi);
// A length scaled at fromDpi, scaled to toDpi instead. The length is taken back to design units first,
// so a length that came from scaling a design value returns exactly to it (96 -> 144 -> 96).
int RescaleDpi(int value, int fromDpi, int toDpi);

// The DPI of the primary monitor, at which windows are made unless they are placed elsewhere.
int SystemDpi();
// The DPI of the monitor window is on; the system DPI when the platform cannot tell.
int WindowDpi(HWND window);
// The DPI of the monitor that holds most of rect (screen coordinates).
int RectDpi(const TRect& rect);
// Makes every query above answer dpi, as a monitor of that DPI would; 0 lets the platform answer again.
void SetDpiOverride(int dpi);

// A system metric (SM_CXSMICON, SM_CYMENU, ...) as it is at dpi.
int SystemMetricForDpi(int index, int dpi);
// The non-client metrics (caption, menu and message fonts, caption sizes) as they are at dpi.
NONCLIENTMETRICSW NonClientMetricsForDpi(int dpi);

#include "framework/Dpi.h"

#include "framework/Handles.h"

#include <cmath>

namespace {

int dpiOverride = 0;

// The per-monitor services exist from Windows 8.1 and 10 on; older systems answer with the system DPI.
template <typename TFunction> TFunction PlatformFunction(const wchar_t* library, const char* name)
{
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryW(library);
    return module ? reinterpret_cast<TFunction>(GetProcAddress(module, name)) : nullptr;
}

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TGetDpiForSystem = UINT(WINAPI*)();
using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);
using TSystemParametersInfoForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

int PlatformSystemDpi()
{
    static const auto getDpiForSystem = PlatformFunction<TGetDpiForSystem>(L"user32.dll", "GetDpiForSystem");
    if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
    TWindowDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

} // namespace

int ScaleByDpi(int value, int dpi)
{
    if (dpi == kDesignDpi) return value;
    return RoundHalfEven(static_cast<double>(value) * dpi / kDesignDpi);
}

int UnscaleByDpi(int value, int dpi)
{
    if (dpi == kDesignDpi || dpi <= 0) return value;
    return RoundHalfEven(static_cast<double>(value) * kDesignDpi / dpi);
}

int RescaleDpi(int value, int fromDpi, int toDpi)
{
    if (fromDpi == toDpi) return value;
    return ScaleByDpi(UnscaleByDpi(value, fromDpi), toDpi);
}

int SystemDpi() { return dpiOverride ? dpiOverride : PlatformSystemDpi(); }

int WindowDpi(HWND window)
{
    if (dpiOverride) return dpiOverride;
    static const auto getDpiForWindow = PlatformFunction<TGetDpiForWindow>(L"user32.dll", "GetDpiForWindow");
    UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : SystemDpi();
}

int RectDpi(const TRect& rect)
{
    // With one monitor there is nothing to ask: the library that answers stays unloaded.
    if (dpiOverride || GetSystemMetrics(SM_CMONITORS) <= 1) return SystemDpi();
    static const auto getDpiForMonitor = PlatformFunction<TGetDpiForMonitor>(L"shcore.dll", "GetDpiForMonitor");
    RECT r = rect.ToRECT();
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0;
    if (getDpiForMonitor &&
        SUCCEEDED(getDpiForMonitor(MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi, &x, &y)) && y)
        return static_cast<int>(y);
    return SystemDpi();
}

void SetDpiOverride(int dpi) { dpiOverride = dpi; }

int SystemMetricForDpi(int index, int dpi)
{
    static const auto getMetricForDpi =
        PlatformFunction<TGetSystemMetricsForDpi>(L"user32.dll", "GetSystemMetricsForDpi");
    if (getMetricForDpi) return getMetricForDpi(index, static_cast<UINT>(dpi));
    return RescaleDpi(GetSystemMetrics(index), PlatformSystemDpi(), dpi);
}

NONCLIENTMETRICSW NonClientMetricsForDpi(int dpi)
{
    static const auto parametersForDpi =
        PlatformFunction<TSystemParametersInfoForDpi>(L"user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (parametersForDpi &&
        parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi)))
        return metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const int systemDpi = PlatformSystemDpi();
    for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont, &metrics.lfStatusFont,
                           &metrics.lfMessageFont})
        font->lfHeight = RescaleDpi(font->lfHeight, systemDpi, dpi);
    for (int* length : {&metrics.iBorderWidth, &metrics.iScrollWidth, &metrics.iScrollHeight, &metrics.iCaptionWidth,
                        &metrics.iCaptionHeight, &metrics.iSmCaptionWidth, &metrics.iSmCaptionHeight,
                        &metrics.iMenuWidth, &metrics.iMenuHeight, &metrics.iPaddedBorderWidth})
        *length = RescaleDpi(*length, systemDpi, dpi);
    return metrics;
}

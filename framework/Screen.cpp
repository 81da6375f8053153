#include "framework/Screen.h"

#include "framework/Forms.h"

#include <algorithm>

TScreen* Screen = nullptr;

void TScreen::RemoveForm(TCustomForm* form) { std::erase(forms_, form); }

TCustomForm* TScreen::ActiveForm() const
{
    HWND active = GetActiveWindow();
    for (TCustomForm* form : forms_)
        if (form->HandleAllocated() && form->Handle() == active) return form;
    return nullptr;
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }

int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::WorkAreaRect() const
{
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return TRect(r);
}

namespace {

TMonitor DescribeMonitor(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(monitor, &info);
    return {monitor, TRect(info.rcMonitor), TRect(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    reinterpret_cast<std::vector<TMonitor>*>(data)->push_back(DescribeMonitor(monitor));
    return TRUE;
}

} // namespace

std::vector<TMonitor> TScreen::Monitors() const
{
    std::vector<TMonitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

TMonitor TScreen::MonitorFromWindow(HWND window) const
{
    return DescribeMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

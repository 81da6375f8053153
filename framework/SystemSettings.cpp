#include "framework/SystemSettings.h"

#include <windows.h>

#include <cmath>

int KeyboardRepeatDelay()
{
    int delay = 0;
    SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    return 200 * (delay + 1);
}

int KeyboardRepeatInterval()
{
    DWORD speed = 0;
    SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    return static_cast<int>(std::nearbyint(1000.0 / ((speed + 1) * 2.3)));
}

bool ThemesActive()
{
    using TIsAppThemed = BOOL(WINAPI*)();
    // The visual-style library stays loaded for the life of the process once it was found.
    static const TIsAppThemed isAppThemed = []() -> TIsAppThemed {
        HMODULE library = LoadLibraryW(L"uxtheme.dll");
        return library ? reinterpret_cast<TIsAppThemed>(GetProcAddress(library, "IsAppThemed")) : nullptr;
    }();
    return isAppThemed && isAppThemed();
}

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

namespace {

bool PlatformHighContrast()
{
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof(setting);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

THighContrastSource highContrastSource = &PlatformHighContrast;
bool highContrastRead = false;
bool highContrast = false;

} // namespace

bool HighContrastActive()
{
    if (!highContrastRead) RefreshHighContrast();
    return highContrast;
}

bool RefreshHighContrast()
{
    // Before the first reading the setting counts as off.
    const bool before = highContrastRead && highContrast;
    highContrastRead = true;
    highContrast = highContrastSource();
    return highContrast != before;
}

void SetHighContrastSource(THighContrastSource source) { highContrastSource = source ? source : &PlatformHighContrast; }

TColor ContrastColor(TColor color, TColor systemColor)
{
    const bool systemColorAlready = (static_cast<uint32_t>(color) & 0x80000000u) != 0;
    return HighContrastActive() && !systemColorAlready ? systemColor : color;
}

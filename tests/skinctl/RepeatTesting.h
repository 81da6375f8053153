#pragma once

#include "framework/Application.h"
#include "framework/Timer.h"

#include <windows.h>

// The keyboard's slowest repeat (800 ms before the first repeat, 435 ms after) for the life of a
// test, so that the timer ticks a test runs by hand are the only ones that come.
class TSlowKeyboardRepeat {
public:
    TSlowKeyboardRepeat()
    {
        SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay_, 0);
        SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed_, 0);
        SystemParametersInfoW(SPI_SETKEYBOARDDELAY, 3, nullptr, 0);
        SystemParametersInfoW(SPI_SETKEYBOARDSPEED, 0, nullptr, 0);
    }
    ~TSlowKeyboardRepeat()
    {
        SystemParametersInfoW(SPI_SETKEYBOARDDELAY, delay_, nullptr, 0);
        SystemParametersInfoW(SPI_SETKEYBOARDSPEED, speed_, nullptr, 0);
    }
    TSlowKeyboardRepeat(const TSlowKeyboardRepeat&) = delete;
    TSlowKeyboardRepeat& operator=(const TSlowKeyboardRepeat&) = delete;

private:
    int delay_ = 1;
    DWORD speed_ = 31;
};

// Runs one tick of a running timer now, through the message the platform would post; false when
// the timer is not running.
inline bool TickNow(const TTimer* timer)
{
    if (!timer) return false;
    MSG tick = timer->TickMessage();
    if (!tick.message) return false;
    PostThreadMessageW(GetCurrentThreadId(), tick.message, tick.wParam, tick.lParam);
    Application->ProcessMessages();
    return true;
}

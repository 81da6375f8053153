#pragma once

#include "framework/Component.h"

#include <windows.h>

#include <functional>

// Calls OnTimer every Interval milliseconds on the user-interface thread while enabled.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);

    // The WM_TIMER message the platform posts to the thread on a tick of the running timer (an empty
    // message while stopped): posting it runs one tick at once instead of waiting for the interval.
    MSG TickMessage() const;

    std::function<void()> OnTimer;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    UINT_PTR id_ = 0;
};

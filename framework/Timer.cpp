#include "framework/Timer.h"

#include "framework/Application.h"

#include <map>

namespace {

// Timers of the user-interface thread by the number the platform gave them. Never freed: timers
// of the forms that the application frees at program end still leave it then.
std::map<UINT_PTR, TTimer*>& ActiveTimers()
{
    static auto* timers = new std::map<UINT_PTR, TTimer*>;
    return *timers;
}

} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer()
{
    enabled_ = false;
    UpdateTimer();
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds)
{
    if (interval_ == milliseconds) return;
    interval_ = milliseconds;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (id_) {
        KillTimer(nullptr, id_);
        ActiveTimers().erase(id_);
        id_ = 0;
    }
    if (!enabled_ || interval_ == 0 || IsDestroying()) return;
    id_ = SetTimer(nullptr, 0, interval_, TimerProc);
    if (id_) ActiveTimers()[id_] = this;
}

MSG TTimer::TickMessage() const
{
    MSG message{};
    if (!id_) return message;
    message.message = WM_TIMER;
    message.wParam = id_;
    message.lParam = reinterpret_cast<LPARAM>(&TimerProc);
    return message;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = ActiveTimers().find(id);
    if (found == ActiveTimers().end()) return;
    TTimer* timer = found->second;
    GuardEntryPoint([timer] {
        if (timer->OnTimer) timer->OnTimer();
    });
}

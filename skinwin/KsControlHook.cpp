#include "skinwin/KsHooks.h"

#include "framework/Application.h"

#include <array>
#include <exception>
#include <map>
#include <utility>

// One replacement procedure set into one window: the procedure of a slot, the procedure it found
// there, and the control hook it delivers to. When the control hook lets go while another party's
// procedure sits on top of this one, the entry stays and forwards to the previous procedure.
struct TSubclassEntry {
    HWND Window = nullptr;
    int Slot = 0;
    WNDPROC Previous = nullptr;
    std::weak_ptr<TControlHook> Owner;
};

LRESULT DeliverToSubclass(const std::shared_ptr<TSubclassEntry>& entry, HWND window, UINT msg, WPARAM wParam,
                          LPARAM lParam);

namespace {

// A window may carry several of our procedures at once (one of ours, then another party's, then
// ours again); each needs an address of its own to find its entry. These are plain functions, so
// no procedure set into a window is ever freed.
constexpr int kSlotCount = 8;

using TEntryKey = std::pair<HWND, int>;

// Never freed: the windows of the forms that the application frees at program end still reach
// their procedures then.
std::map<TEntryKey, std::shared_ptr<TSubclassEntry>>& Entries()
{
    static auto* entries = new std::map<TEntryKey, std::shared_ptr<TSubclassEntry>>;
    return *entries;
}

template <int Slot> LRESULT CALLBACK SlotProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto found = Entries().find({window, Slot});
    if (found == Entries().end()) return DefWindowProcW(window, msg, wParam, lParam);
    // The copy keeps the entry (and through it the delivery) alive until this call returns.
    std::shared_ptr<TSubclassEntry> entry = found->second;
    return DeliverToSubclass(entry, window, msg, wParam, lParam);
}

template <int... Slots>
constexpr std::array<WNDPROC, sizeof...(Slots)> MakeSlotProcedures(std::integer_sequence<int, Slots...>)
{
    return {SlotProcedure<Slots>...};
}

const std::array<WNDPROC, kSlotCount> kSlotProcedures =
    MakeSlotProcedures(std::make_integer_sequence<int, kSlotCount>());

WNDPROC CurrentProcedure(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

// Entries of windows that no longer exist are dropped before a slot is chosen.
void ForgetDeadWindows()
{
    auto& entries = Entries();
    for (auto it = entries.begin(); it != entries.end();)
        it = IsWindow(it->first.first) ? std::next(it) : entries.erase(it);
}

int FreeSlot(HWND window)
{
    ForgetDeadWindows();
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (!Entries().contains({window, slot})) return slot;
    return -1;
}

UINT_PTR NextHookId()
{
    static UINT_PTR id = 0;
    return ++id;
}

} // namespace

LRESULT DeliverToSubclass(const std::shared_ptr<TSubclassEntry>& entry, HWND window, UINT msg, WPARAM wParam,
                          LPARAM lParam)
{
    std::shared_ptr<TControlHook> owner = entry->Owner.lock();
    LRESULT result = 0;
    if (owner) {
        result = owner->Deliver(*entry, window, msg, wParam, lParam);
    } else {
        WNDPROC previous = entry->Previous;
        result = previous ? CallWindowProcW(previous, window, msg, wParam, lParam)
                          : DefWindowProcW(window, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) Entries().erase({window, entry->Slot});
    return result;
}

TControlHook::TControlHook() : id_(NextHookId()) {}

TControlHook::~TControlHook() { Uninstall(); }

bool TControlHook::Installed() const
{
    return entry_ && IsWindow(entry_->Window) && CurrentProcedure(entry_->Window) == kSlotProcedures[entry_->Slot];
}

bool TControlHook::Contains(const TKsHook* hook) const
{
    return std::find(hooks_.begin(), hooks_.end(), hook) != hooks_.end();
}

void TControlHook::AddHook(TKsHook* hook)
{
    if (!Contains(hook)) {
        hooks_.push_back(hook);
        hook->controlHook_ = this;
        PointAt(hook->control_);
    }
    Install();
}

void TControlHook::RemoveHook(TKsHook* hook)
{
    hook->controlHook_ = nullptr;
    std::erase(hooks_, hook);
    if (hooks_.empty()) Uninstall();
}

void TControlHook::PointAt(TWinControl* control)
{
    if (control == control_) return;
    Uninstall();
    control_ = control;
    if (control_)
        if (THookList* registry = THookList::Instance()) registry->FreeNotification(control_);
    if (!hooks_.empty()) Install();
}

void TControlHook::Install()
{
    // A hook list that emptied while a re-install was queued has nothing to deliver to.
    if (!control_ || destroying_ || control_->IsDestroying() || hooks_.empty()) return;
    HWND window = control_->Handle();
    if (entry_ && entry_->Window == window && CurrentProcedure(window) == kSlotProcedures[entry_->Slot]) return;
    Uninstall();
    int slot = FreeSlot(window);
    if (slot < 0) return;
    auto entry = std::make_shared<TSubclassEntry>();
    entry->Window = window;
    entry->Slot = slot;
    entry->Previous = CurrentProcedure(window);
    entry->Owner = weak_from_this();
    Entries()[{window, slot}] = entry;
    entry_ = entry;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kSlotProcedures[slot]));
}

void TControlHook::Uninstall()
{
    if (!entry_) return;
    std::shared_ptr<TSubclassEntry> entry = std::move(entry_);
    if (!IsWindow(entry->Window)) {
        Entries().erase({entry->Window, entry->Slot});
        return;
    }
    if (CurrentProcedure(entry->Window) == kSlotProcedures[entry->Slot]) {
        SetWindowLongPtrW(entry->Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry->Previous));
        Entries().erase({entry->Window, entry->Slot});
        return;
    }
    // Someone sub-classed the window after us and calls our procedure as theirs: it stays, forwarding.
    entry->Owner.reset();
}

void TControlHook::Reinstall()
{
    if (hooks_.empty()) return;
    Install();
    if (!Installed()) return;
    std::vector<TKsHook*> snapshot = hooks_;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
        if (Contains(*it)) GuardEntryPoint([hook = *it] { hook->WindowRecreated(); });
}

void TControlHook::Destroy()
{
    destroying_ = true;
    while (!hooks_.empty()) RemoveHook(hooks_.back());
    Uninstall();
    control_ = nullptr;
}

void TControlHook::ControlFreed()
{
    Uninstall();
    control_ = nullptr;
}

bool TControlHook::PassesAllowed() const
{
    return !hooks_.empty() && control_ && !control_->IsDestroying() && !destroying_;
}

void TControlHook::BeforePass(TMessage& message, bool& handled)
{
    if (!PassesAllowed()) return;
    std::vector<TKsHook*> snapshot = hooks_;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        // A hook removed or freed by an earlier one in this pass is skipped.
        if (!Contains(*it)) continue;
        GuardEntryPoint([&, hook = *it] { hook->DeliverBefore(message, handled); });
        if (handled) break;
    }
}

void TControlHook::AfterPass(TMessage& message, bool& handled)
{
    if (!PassesAllowed()) return;
    std::vector<TKsHook*> snapshot = hooks_;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        if (!Contains(*it)) continue;
        GuardEntryPoint([&, hook = *it] { hook->DeliverAfter(message, handled); });
        if (handled) break;
    }
}

LRESULT TControlHook::Deliver(const TSubclassEntry& entry, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = entry.Previous;
    auto callWindow = [&](const TMessage& message) {
        return previous ? CallWindowProcW(previous, window, message.Msg, message.WParam, message.LParam)
                        : DefWindowProcW(window, message.Msg, message.WParam, message.LParam);
    };
    TMessage message{msg, wParam, lParam, 0};
    // Without a control nobody watches: the window's own procedure alone handles the message.
    if (!control_) return callWindow(message);

    bool handled = false;
    if (msg != WM_QUIT) BeforePass(message, handled);
    if (!handled || msg == WM_DESTROY) {
        // The after pass runs also when the window's own procedure fails; the failure is reported
        // then, as nothing thrown may cross back into the platform.
        std::exception_ptr failure;
        try {
            message.Result = callWindow(message);
        } catch (...) {
            failure = std::current_exception();
        }
        AfterPass(message, handled);
        if (failure) GuardEntryPoint([&] { std::rethrow_exception(failure); });
    }
    if (msg == WM_DESTROY) {
        Uninstall();
        // The framework makes a destroyed window again when it changes a style; the procedure goes
        // back in once that is done, unless the control itself is going.
        THookList* registry = THookList::Instance();
        if (registry && !destroying_ && control_ && !control_->IsDestroying()) registry->PostReinstall(*this);
    }
    return message.Result;
}

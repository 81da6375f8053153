#include "skinwin/KsHooks.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"

#include <algorithm>
#include <utility>

namespace {

THookList* registryInstance = nullptr;
// Constant-initialised, so it is freed at program end after the application and its forms.
std::unique_ptr<THookList> registryOwner;

const wchar_t* const kRegistryClass = L"Folvane.HookRegistry";

} // namespace

// ---- TKsHook ----

TKsHook::TKsHook(TComponent* owner) : TComponent(owner), alive_(std::make_shared<int>(0)) {}

TKsHook::~TKsHook()
{
    Destroying();
    alive_.reset();
    SetActive(false);
    SetControl(nullptr);
}

TWinControl* TKsHook::Control() const { return controlHook_ ? controlHook_->Control() : control_; }

HWND TKsHook::ControlHandle() const
{
    TWinControl* control = Control();
    return control ? control->Handle() : nullptr;
}

void TKsHook::SetControl(TWinControl* control)
{
    if (control == Control()) return;
    bool wasActive = active_;
    TControlHook* previous = controlHook_;
    Detach();
    if (control_) RemoveFreeNotification(control_);
    control_ = control;
    if (control_) FreeNotification(control_);
    // The old control hook may be the one whose procedure is running now: it is freed later.
    THookList* registry = THookList::Instance();
    if (previous && previous->HookCount() == 0 && registry) registry->PostRelease(*previous);
    if (wasActive) SetActive(true);
}

void TKsHook::SetActive(bool active)
{
    if (active == active_) return;
    if (active)
        Activate();
    else
        Detach();
}

void TKsHook::Activate()
{
    if (control_ && !IsDestroying()) THookList::Get().FindOrCreate(control_)->AddHook(this);
    active_ = true;
}

void TKsHook::Detach()
{
    active_ = false;
    TControlHook* hook = controlHook_;
    if (!hook) return;
    hook->RemoveHook(this);
    THookList* registry = THookList::Instance();
    if (hook->HookCount() == 0 && registry) registry->PostRelease(*hook);
}

void TKsHook::ControlFreed()
{
    // The control is in its last steps: only pointers are dropped, nothing is asked of it.
    bool wasActive = active_;
    control_ = nullptr;
    Detach();
    active_ = wasActive;
}

void TKsHook::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == control_) ControlFreed();
}

void TKsHook::DeliverBefore(TMessage& message, bool& handled) { RunPass(&TKsHook::BeforeMessage, message, handled); }

void TKsHook::DeliverAfter(TMessage& message, bool& handled) { RunPass(&TKsHook::AfterMessage, message, handled); }

void TKsHook::RunPass(void (TKsHook::*pass)(TMessage&), TMessage& message, bool& handled)
{
    std::weak_ptr<const void> alive = alive_;
    bool* outer = std::exchange(handled_, &handled);
    try {
        (this->*pass)(message);
    } catch (...) {
        if (!alive.expired()) handled_ = outer;
        throw;
    }
    if (!alive.expired()) handled_ = outer;
}

// ---- THookList ----

THookList::THookList() : TComponent(nullptr)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, kRegistryClass, &wc)) {
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = kRegistryClass;
        if (!RegisterClassExW(&wc)) RaiseLastOSError();
    }
    window_.Reset(
        CreateWindowExW(0, kRegistryClass, L"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
    if (!window_) RaiseLastOSError();
}

THookList::~THookList()
{
    Destroying();
    if (registryInstance == this) registryInstance = nullptr;
    while (!hooks_.empty()) {
        std::shared_ptr<TControlHook> last = hooks_.back();
        hooks_.pop_back();
        last->Destroy();
    }
}

THookList* THookList::Instance() { return registryInstance; }

THookList& THookList::Get()
{
    if (!registryInstance) {
        registryOwner = std::make_unique<THookList>();
        registryInstance = registryOwner.get();
    }
    return *registryInstance;
}

TControlHook* THookList::Find(const TWinControl* control) const
{
    if (!control) return nullptr;
    for (const auto& hook : hooks_)
        if (hook->Control() == control) return hook.get();
    return nullptr;
}

TControlHook* THookList::FindOrCreate(TWinControl* control)
{
    if (TControlHook* existing = Find(control)) return existing;
    auto hook = std::make_shared<TControlHook>();
    hooks_.push_back(hook);
    try {
        hook->PointAt(control);
    } catch (...) {
        std::erase(hooks_, hook);
        hook->Destroy();
        throw;
    }
    return hook.get();
}

std::shared_ptr<TControlHook> THookList::FindById(UINT_PTR id) const
{
    for (const auto& hook : hooks_)
        if (hook->Id() == id) return hook;
    return nullptr;
}

void THookList::PostReinstall(const TControlHook& hook)
{
    PostMessageW(window_.Get(), CM_HOOKREINSTALL, 0, static_cast<LPARAM>(hook.Id()));
}

void THookList::PostRelease(const TControlHook& hook)
{
    PostMessageW(window_.Get(), CM_HOOKRELEASE, 0, static_cast<LPARAM>(hook.Id()));
}

void THookList::Release(const std::shared_ptr<TControlHook>& hook)
{
    std::erase(hooks_, hook);
    hook->Destroy();
}

void THookList::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    for (const auto& hook : hooks_)
        if (hook->Control() == component) hook->ControlFreed();
}

LRESULT CALLBACK THookList::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != CM_HOOKREINSTALL && msg != CM_HOOKRELEASE) return DefWindowProcW(window, msg, wParam, lParam);
    GuardEntryPoint([&] {
        THookList* registry = Instance();
        if (!registry || registry->Window() != window) return;
        // Requests name their control hook by number: one that is gone by now is simply not found.
        std::shared_ptr<TControlHook> hook = registry->FindById(static_cast<UINT_PTR>(lParam));
        if (!hook) return;
        if (msg == CM_HOOKREINSTALL)
            hook->Reinstall();
        else if (hook->HookCount() == 0)
            registry->Release(hook);
    });
    return 0;
}

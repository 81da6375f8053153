#pragma once

#include "framework/Component.h"
#include "framework/Controls.h"
#include "framework/Handles.h"

#include <windows.h>

#include <memory>
#include <vector>

class TControlHook;
struct TSubclassEntry;

// A component that watches the messages of one windowed control through the control's window
// procedure: it sees every message before the window's own procedure (and may consume it) and
// after it. Any number of hooks may watch one window; the newest sees each message first.
class TKsHook : public TComponent {
public:
    explicit TKsHook(TComponent* owner);
    ~TKsHook() override;

    // The watched control, or none.
    TWinControl* Control() const;
    void SetControl(TWinControl* control);
    // The watched control's window, made when it has none yet; none without a control.
    HWND ControlHandle() const;

    bool Active() const { return active_; }
    void SetActive(bool active);

protected:
    // The hook's message handlers, run before the window's own procedure. A class handles the
    // messages it knows and passes the others to its base; the base ignores them. A handler
    // consumes a message with MarkHandled: the window's procedure then never sees it.
    virtual void BeforeMessage(TMessage& message) {}
    // Run after the window's own procedure, with the result it gave.
    virtual void AfterMessage(TMessage& message) {}
    // The watched window was destroyed and made again, and is watched once more.
    virtual void WindowRecreated() {}

    // The flag belongs to the message being delivered: a message the handler sends to the window
    // on the way is delivered with a flag of its own.
    void MarkHandled()
    {
        if (handled_) *handled_ = true;
    }
    bool Handled() const { return handled_ && *handled_; }
    // Expires when the hook is freed: a caller that runs code which may free the hook checks it
    // before touching the hook again.
    std::weak_ptr<const void> AliveToken() const { return alive_; }

    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TControlHook;
    // Runs one pass with the caller's handled flag, which lives in the caller's frame. The hook's
    // own state is touched afterwards only while the hook still exists: a handler may free it.
    void DeliverBefore(TMessage& message, bool& handled);
    void DeliverAfter(TMessage& message, bool& handled);
    void RunPass(void (TKsHook::*pass)(TMessage&), TMessage& message, bool& handled);
    void Activate();
    void Detach();
    void ControlFreed();

    TWinControl* control_ = nullptr;
    TControlHook* controlHook_ = nullptr;
    bool active_ = true;
    // The handled flag of the delivery in progress, or none outside a delivery.
    bool* handled_ = nullptr;
    // Lives exactly as long as the hook, so that a pass can tell whether its hook was freed.
    std::shared_ptr<const void> alive_;
};

// The replacement window procedure of one control's window and the hooks that watch it, in the
// order they were added. The registry owns it; a window procedure running in it keeps it alive
// until that procedure returns, so it is never freed under a running delivery.
class TControlHook : public std::enable_shared_from_this<TControlHook> {
public:
    TControlHook();
    ~TControlHook();
    TControlHook(const TControlHook&) = delete;
    TControlHook& operator=(const TControlHook&) = delete;

    // A number that names this object in posted messages; never reused in the process.
    UINT_PTR Id() const { return id_; }
    TWinControl* Control() const { return control_; }
    int HookCount() const { return static_cast<int>(hooks_.size()); }
    TKsHook* Hooks(int index) const { return hooks_.at(index); }
    // True while the replacement procedure is in the window.
    bool Installed() const;

    void AddHook(TKsHook* hook);
    void RemoveHook(TKsHook* hook);
    void PointAt(TWinControl* control);

    // Sets the replacement procedure into the control's window (making the window when needed).
    void Install();
    // Puts the previous procedure back unless another party's procedure sits on top of ours; ours
    // then stays in the chain and forwards to the previous procedure for as long as the window lives.
    void Uninstall();
    // Installs again after the window was made anew, and tells the hooks.
    void Reinstall();

    // The clean-up before the registry lets go of it: hooks removed newest first, control cleared.
    void Destroy();
    // The control is being freed: forget it without touching it.
    void ControlFreed();

private:
    friend LRESULT DeliverToSubclass(const std::shared_ptr<TSubclassEntry>& entry, HWND window, UINT msg, WPARAM wParam,
                                     LPARAM lParam);
    LRESULT Deliver(const TSubclassEntry& entry, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void BeforePass(TMessage& message, bool& handled);
    void AfterPass(TMessage& message, bool& handled);
    bool Contains(const TKsHook* hook) const;
    bool PassesAllowed() const;

    UINT_PTR id_;
    TWinControl* control_ = nullptr;
    std::shared_ptr<TSubclassEntry> entry_;
    std::vector<TKsHook*> hooks_;
    bool destroying_ = false;
};

// The registry of every control hook of the process, with a hidden window that receives the
// deferred re-install and release requests. Made on first use, freed at program end.
class THookList : public TComponent {
public:
    THookList();
    ~THookList() override;

    // The registry when it exists, else none; Get makes it.
    static THookList* Instance();
    static THookList& Get();

    int Count() const { return static_cast<int>(hooks_.size()); }
    TControlHook* Items(int index) const { return hooks_.at(index).get(); }
    TControlHook* Find(const TWinControl* control) const;
    TControlHook* FindOrCreate(TWinControl* control);
    HWND Window() const { return window_.Get(); }

    // Posted to the registry's window, so that nothing is installed or freed under a running procedure.
    void PostReinstall(const TControlHook& hook);
    void PostRelease(const TControlHook& hook);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    std::shared_ptr<TControlHook> FindById(UINT_PTR id) const;
    void Release(const std::shared_ptr<TControlHook>& hook);

    std::vector<std::shared_ptr<TControlHook>> hooks_;
    TWindowHandle window_;
};

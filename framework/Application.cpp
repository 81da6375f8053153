#include "framework/Application.h"

#include "framework/Controls.h"
#include "framework/FlagScope.h"
#include "framework/Forms.h"
#include "framework/Screen.h"
#include "framework/Text.h"

#include <commctrl.h>

namespace {

// The screen and the application exist for the whole run of the program, the screen first so
// that the forms the application frees at the end can still leave it.
struct TGlobals {
    TScreen screen;
    TApplication application;
    TGlobals()
    {
        Screen = &screen;
        Application = &application;
    }
};

} // namespace

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication()
{
    // The forms go while the application is still whole, so their removal notices reach it.
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize()
{
    if (initialized_) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    initialized_ = true;
}

void TApplication::FormCreated(TCustomForm* form)
{
    if (!mainForm_) mainForm_ = form;
    form->AfterConstruction();
}

void TApplication::Run()
{
    if (mainForm_) mainForm_->Show();
    while (!terminated_) HandleMessage();
}

void TApplication::HandleMessage()
{
    MSG message;
    if (!ProcessMessage(message) && !terminated_) WaitMessage();
}

void TApplication::ProcessMessages()
{
    MSG message;
    while (ProcessMessage(message)) {
    }
}

bool TApplication::ProcessMessage(MSG& message)
{
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        // Left in the queue for every nested loop on the way out; this pass ends here.
        terminated_ = true;
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    if (!IsKeyMessage(message) && !IsMDIMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

bool TApplication::IsKeyMessage(const MSG& message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    // The key goes to the nearest control of ours that holds the focused window.
    for (HWND window = message.hwnd; window; window = GetParent(window)) {
        if (TWinControl* control = TWinControl::FindControl(window)) {
            bool used = false;
            GuardEntryPoint(
                [&] { used = control->Perform(CN_KEYDOWN, message.wParam, reinterpret_cast<LPARAM>(&message)) != 0; });
            return used;
        }
    }
    return false;
}

bool TApplication::IsMDIMessage(MSG& message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    for (HWND window = message.hwnd; window; window = GetParent(window)) {
        auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(window));
        if (!form || form->FormStyle() != fsMDIChild) continue;
        TCustomForm* parent = form->MDIParent();
        return parent && parent->MDIClient() && TranslateMDISysAccel(parent->MDIClient()->Handle(), &message);
    }
    return false;
}

void TApplication::Terminate()
{
    if (terminated_) return;
    PostQuitMessage(0);
}

void TApplication::Minimize()
{
    if (minimized_ || !mainForm_ || !mainForm_->HandleAllocated()) return;
    minimized_ = true;
    hiddenForms_.clear();
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form == mainForm_ || !form->HandleAllocated() || !IsWindowVisible(form->Handle())) continue;
        hiddenForms_.push_back(form->Handle());
        ShowWindow(form->Handle(), SW_HIDE);
    }
    ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore()
{
    if (!minimized_) return;
    minimized_ = false;
    if (mainForm_ && mainForm_->HandleAllocated()) {
        HWND window = mainForm_->Handle();
        ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    }
    std::vector<HWND> hidden;
    hidden.swap(hiddenForms_);
    for (HWND window : hidden)
        if (IsWindow(window)) ShowWindow(window, SW_SHOWNA);
}

void TApplication::HandleException(const std::exception& error)
{
    if (reporting_) return;
    TFlagScope reporting(reporting_);
    const auto* known = dynamic_cast<const Exception*>(&error);
    Exception converted(known ? known->Message() : AnsiToWide(error.what()));
    const Exception& report = known ? *known : converted;
    if (OnException) {
        OnException(report);
        return;
    }
    HWND owner = mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->Handle()) ? mainForm_->Handle()
                                                                                                   : nullptr;
    MessageBoxW(owner, report.Message().c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
}

namespace {
TGlobals globals;
}

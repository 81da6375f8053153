#pragma once

#include "framework/Component.h"
#include "framework/Exceptions.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TCustomForm;

// The program object: its title, its forms, the message loop and the default error report.
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Prepares the platform services the controls need (common controls classes).
    void Initialize();

    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title) { title_ = title; }
    TCustomForm* MainForm() const { return mainForm_; }

    // Creates a form owned by the application; the first one becomes the main form.
    template <typename TFormClass>
    TFormClass* CreateForm()
    {
        auto* form = new TFormClass(this);
        FormCreated(form);
        return form;
    }

    // Shows the main form and handles messages until Terminate.
    void Run();
    // Handles every pending message, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Minimizes the program as a whole: the main form goes to its task-bar button and the program's
    // other visible forms are hidden. Restore brings the main form back (shown, also when it was
    // hidden meanwhile) and shows the hidden forms again; the main form's own restore from the task
    // bar does the same.
    void Minimize();
    void Restore();
    bool Minimized() const { return minimized_; }

    // The default error report: a modal message box with the error's text and the title as caption
    // (or OnException when it is set). Every platform entry point of the framework ends here. While a
    // report is showing, further errors are not reported: the box lets painting and window changes
    // through, and a failing handler would otherwise raise a new box for each of them.
    void HandleException(const std::exception& error);
    std::function<void(const Exception&)> OnException;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void FormCreated(TCustomForm* form);
    bool ProcessMessage(MSG& message);
    bool IsKeyMessage(const MSG& message);
    // The keys of a multiple-document child that its parent's client window handles (Ctrl+F4,
    // Ctrl+F6, Alt+hyphen), as the platform's client window translates them.
    static bool IsMDIMessage(MSG& message);

    std::wstring title_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool initialized_ = false;
    bool reporting_ = false;
    bool minimized_ = false;
    std::vector<HWND> hiddenForms_;
};

extern TApplication* Application;

// Runs body and hands anything it throws to the default error report; for platform entry points.
template <typename Body>
void GuardEntryPoint(Body&& body) noexcept
{
    try {
        body();
    } catch (const std::exception& error) {
        if (Application) Application->HandleException(error);
    } catch (...) {
        if (Application) Application->HandleException(Exception(L"Unknown error"));
    }
}

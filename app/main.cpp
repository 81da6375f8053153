#include "app/Unit1.h"
#include "framework/Application.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        Application->Initialize();
        Application->SetTitle(L"Folvane Tool");
        TForm1* form = Application->CreateForm<TForm1>();
        Application->OnException = [form](const Exception& error) { form->ReportError(error); };
        Application->Run();
        Application->OnException = nullptr;
    } catch (const std::exception& error) {
        // Only a failure while the window is being made gets here; the message loop reports its own.
        Application->HandleException(error);
        return 1;
    }
    return 0;
}

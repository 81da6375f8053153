#include "app/CommandLine.h"
#include "app/StandardStreams.h"
#include "app/Unit1.h"
#include "app/UnattendedRun.h"
#include "framework/Application.h"

#include <windows.h>

namespace {

int RunWindow()
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
        return ecFailed;
    }
    return ecSuccess;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    TCommandLine command = ParseCommandLine(ProgramArguments());
    switch (command.Kind) {
    case ckWindow:
        return RunWindow();
    case ckUsage:
        WriteStandardOutput(UsageText());
        return ecSuccess;
    case ckInvalid:
        WriteStandardError(UsageText());
        return ecUsage;
    case ckRun:
        break;
    }
    TUnattendedResult result = RunUnattended(command.ConfigFile);
    if (!result.Message.empty()) WriteStandardError(result.Message + L"\r\n");
    return result.ExitCode;
}

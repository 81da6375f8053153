#include "app/StandardStreams.h"

#include "app/EncodedText.h"
#include "framework/Handles.h"

#include <windows.h>

namespace {

void WriteTo(DWORD stream, const std::wstring& text)
{
    HANDLE handle = GetStdHandle(stream);
    TFileHandle console;
    if (!handle || handle == INVALID_HANDLE_VALUE) {
        // Fails harmlessly when there is no such console or when it is attached already.
        AttachConsole(ATTACH_PARENT_PROCESS);
        console.Reset(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
        handle = console.Get();
    }
    if (!handle || handle == INVALID_HANDLE_VALUE) return;

    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    std::string bytes = WideToAnsiExact(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace

void WriteStandardOutput(const std::wstring& text) { WriteTo(STD_OUTPUT_HANDLE, text); }

void WriteStandardError(const std::wstring& text) { WriteTo(STD_ERROR_HANDLE, text); }

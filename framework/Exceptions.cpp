#include "framework/Exceptions.h"

#include "framework/Text.h"

#include <windows.h>

Exception::Exception(std::wstring message) : message_(std::move(message)), narrow_(WideToUtf8(message_)) {}

std::wstring FormatMessageText(const std::wstring& pattern, std::initializer_list<std::wstring> args)
{
    std::wstring result;
    auto arg = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' && arg != args.end()) {
            result += *arg++;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

std::wstring SystemErrorText(unsigned long code)
{
    wchar_t* buffer = nullptr;
    DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"System error " + std::to_wstring(code);
    LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

void RaiseLastOSError()
{
    DWORD code = GetLastError();
    throw EOSError(FormatMessageText(L"System Error.  Code: %s.\n%s", {std::to_wstring(code), SystemErrorText(code)}));
}

#include "app/ListingFile.h"

#include "framework/Exceptions.h"
#include "framework/Handles.h"
#include "framework/Text.h"

#include <cstdio>

namespace {

std::wstring LocaleText(int (*format)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int), DWORD flags,
                        const SYSTEMTIME& time)
{
    int size = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, nullptr, 0);
    if (size <= 0) return {};
    std::wstring text(size, L'\0');
    size = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, text.data(), size);
    text.resize(size > 0 ? size - 1 : 0);
    return text;
}

// The texts the classic runtime gives its file errors, where they differ from the system's.
[[noreturn]] void RaiseFileError(DWORD code)
{
    switch (code) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        throw EInOutError(L"Invalid filename");
    case ERROR_ACCESS_DENIED:
        throw EInOutError(L"File access denied");
    default:
        throw EInOutError(SystemErrorText(code));
    }
}

void WriteAll(HANDLE file, const char* data, size_t size)
{
    while (size > 0) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr)) RaiseFileError(GetLastError());
        if (written == 0) RaiseFileError(ERROR_DISK_FULL);
        data += written;
        size -= written;
    }
}

} // namespace

std::string ListingHeader(const SYSTEMTIME& time)
{
    std::wstring text = L"列舉日期: " + LocaleText(GetDateFormatW, DATE_SHORTDATE, time);
    if (time.wHour != 0 || time.wMinute != 0 || time.wSecond != 0) text += L" " + LocaleText(GetTimeFormatW, 0, time);
    return WideToAnsi(text) + "\r\n";
}

std::wstring ListingFileName(const std::wstring& directory, bool useFixedName, const std::wstring& fixedName,
                             const SYSTEMTIME& date)
{
    std::wstring path = Trim(directory);
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    if (useFixedName) return path + fixedName;
    wchar_t digits[16];
    std::swprintf(digits, 16, L"%04u%02u%02u", date.wYear, date.wMonth, date.wDay);
    return path + digits + L".txt";
}

void WriteListingFile(const std::wstring& path, const std::string& text)
{
    TFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) RaiseFileError(GetLastError());
    WriteAll(file.Get(), text.data(), text.size());
    WriteAll(file.Get(), "\r\n", 2);
}

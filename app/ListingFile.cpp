#include "app/ListingFile.h"

#include "app/EncodedText.h"
#include "framework/Exceptions.h"
#include "framework/Text.h"

#include <atomic>
#include <cstdio>

namespace {

const wchar_t* const kTemporaryPrefix = L"~folvane-";
const wchar_t* const kTemporaryExtension = L".tmp";

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

// A new, empty file in directory that no other process may open until it is closed.
TFileHandle CreateTemporaryFile(const std::wstring& directory, std::wstring& path)
{
    static std::atomic<unsigned> counter{0};
    for (;;) {
        path = directory + kTemporaryPrefix + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter) + kTemporaryExtension;
        TFileHandle file(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return file;
        if (GetLastError() != ERROR_FILE_EXISTS) RaiseFileError(GetLastError());
    }
}

} // namespace

std::string ListingHeader(const SYSTEMTIME& time, TListingEncoding encoding)
{
    std::wstring text = L"列舉日期: " + LocaleText(GetDateFormatW, DATE_SHORTDATE, time);
    if (time.wHour != 0 || time.wMinute != 0 || time.wSecond != 0) text += L" " + LocaleText(GetTimeFormatW, 0, time);
    std::string header = encoding == leUtf8 ? "\xEF\xBB\xBF" : "";
    AppendEncoded(header, text + L"\r\n", encoding);
    return header;
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

void RemoveStaleTemporaryFiles(const std::wstring& directory)
{
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileW((directory + kTemporaryPrefix + L"*" + kTemporaryExtension).c_str(), &data));
    if (!find) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        // Opened without sharing, so a file that its run still holds open is refused here.
        TFileHandle stale(CreateFileW((directory + data.cFileName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    } while (FindNextFileW(find.Get(), &data));
}

TListingFileWriter::TListingFileWriter(const std::wstring& directory)
{
    RemoveStaleTemporaryFiles(directory);
    file_ = CreateTemporaryFile(directory, temporaryPath_);
}

TListingFileWriter::~TListingFileWriter()
{
    if (committed_) return;
    file_.Reset();
    DeleteFileW(temporaryPath_.c_str());
}

void TListingFileWriter::Write(std::string_view bytes) { WriteBytes(file_.Get(), bytes.data(), bytes.size()); }

void TListingFileWriter::WriteBytes(HANDLE file, const char* data, size_t size)
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

void TListingFileWriter::Commit(const std::wstring& path)
{
    // A read-only listing file could not be written in place, so it is not replaced either; not every
    // platform's move refuses it by itself.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseFileError(ERROR_ACCESS_DENIED);
    if (!FlushFileBuffers(file_.Get())) RaiseFileError(GetLastError());
    file_.Reset();
    if (!MoveFileExW(temporaryPath_.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseFileError(GetLastError());
    committed_ = true;
}

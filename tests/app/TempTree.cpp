#include "TempTree.h"

#include "framework/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <vector>

std::wstring LongPath(const std::wstring& path)
{
    return path.starts_with(L"\\\\?\\") ? path : L"\\\\?\\" + path;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder, const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::ranges::sort(names);
    return names;
}

void RemoveTree(const std::wstring& path)
{
    std::wstring directory = LongPath(IncludeTrailingBackslash(path));
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((directory + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = directory + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            bool isLink = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink) RemoveTree(full);
            else if (!DeleteFileW(full.c_str())) RemoveDirectoryW(full.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(directory.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(directory.c_str());
}

TTempTree::TTempTree(const std::wstring& tag)
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = IncludeTrailingBackslash(temp) + L"folvane-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter++) + L"\\";
    RemoveTree(root_);
    if (!CreateDirectoryW(root_.c_str(), nullptr)) ADD_FAILURE() << "cannot create the test folder";
}

std::string TTempTree::RootAnsi() const { return WideToAnsi(root_); }

std::wstring TTempTree::Dir(const std::wstring& relative, DWORD attributes) const
{
    std::wstring full = root_ + relative;
    for (size_t slash = root_.size(); slash != std::wstring::npos; slash = full.find(L'\\', slash + 1)) {
        std::wstring part = full.substr(0, full.find(L'\\', slash + 1));
        CreateDirectoryW(LongPath(part).c_str(), nullptr);
    }
    DWORD existing = GetFileAttributesW(LongPath(full).c_str());
    if (existing == INVALID_FILE_ATTRIBUTES || !(existing & FILE_ATTRIBUTE_DIRECTORY))
        ADD_FAILURE() << "cannot create directory " << WideToUtf8(full);
    else if (attributes)
        SetFileAttributesW(LongPath(full).c_str(), existing | attributes);
    return full;
}

std::wstring TTempTree::File(const std::wstring& relative) const
{
    std::wstring full = root_ + relative;
    HANDLE file = CreateFileW(LongPath(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) ADD_FAILURE() << "cannot create file " << WideToUtf8(full);
    else CloseHandle(file);
    return full;
}

namespace {

std::wstring Utf8ToWide(const char* text)
{
    int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring result(size > 0 ? size - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), size);
    return result;
}

bool WaitFor(const std::function<bool()>& condition)
{
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (condition()) return true;
        Sleep(10);
    }
    return false;
}

bool IsDirectoryLink(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Under Wine the platform's link calls do nothing and its delete calls cannot remove a link to a
// directory, but a Unix symbolic link shows as a directory link and Wine starts Unix programs given
// by their path on the Z: drive.
std::string UnixFileName(const std::wstring& path)
{
    using UnixName = char* (*)(const wchar_t*);
    auto unixName =
        reinterpret_cast<UnixName>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name"));
    char* name = unixName ? unixName(path.c_str()) : nullptr;
    if (!name) return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Wine may report the Unix program finished before it has run, so callers wait for its effect.
bool RunUnixProgram(const std::wstring& program, const std::vector<std::string>& unixArguments)
{
    std::wstring command = L"Z:\\bin\\" + program;
    for (const auto& argument : unixArguments) command += L" \"" + Utf8ToWide(argument.c_str()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

bool TTempTree::DirLink(const std::wstring& relative, const std::wstring& target) const
{
    std::wstring link = root_ + relative;
    std::wstring to = root_ + target;
    constexpr DWORD kAllowUnprivileged = 0x2;
    if (CreateSymbolicLinkW(link.c_str(), to.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | kAllowUnprivileged) &&
        IsDirectoryLink(link))
        return true;
    std::string unixLink = UnixFileName(link);
    std::string unixTarget = UnixFileName(to);
    if (unixLink.empty() || unixTarget.empty() || !RunUnixProgram(L"ln", {"-s", unixTarget, unixLink})) return false;
    unixLinks_.push_back({link, unixLink});
    return WaitFor([&] { return IsDirectoryLink(link); });
}

bool TTempTree::UnixDirs(const std::string& pattern, const std::wstring& last)
{
    std::string unixRoot = UnixFileName(root_);
    if (unixRoot.empty() || !RunUnixProgram(L"bash", {"-c", "cd '" + unixRoot + "' && mkdir -p " + pattern})) return false;
    madeByUnix_ = true;
    return WaitFor([&] { return GetFileAttributesW((root_ + last).c_str()) != INVALID_FILE_ATTRIBUTES; });
}

TTempTree::~TTempTree()
{
    if (madeByUnix_ && RunUnixProgram(L"rm", {"-rf", UnixFileName(root_)}))
        WaitFor([&] { return GetFileAttributesW(root_.c_str()) == INVALID_FILE_ATTRIBUTES; });
    for (const auto& [link, unixLink] : unixLinks_)
        if (RunUnixProgram(L"rm", {"-f", unixLink}))
            WaitFor([&] { return GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; });
    RemoveTree(root_);
}

// Times the directory tree walk on a generated tree of about 20,000 folders against a plain
// recursive enumeration and against the command interpreter's recursive directory listing.
#include "app/ListTree.h"
#include "framework/Text.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr int kFanOut = 7;
constexpr int kLevels = 5;
constexpr int kRepeats = 3;

void CreateTree(const std::wstring& directory, int level, int& folders)
{
    if (level > kLevels) return;
    if (level < kLevels) {
        CreateDirectoryW((directory + L"hidden").c_str(), nullptr);
        SetFileAttributesW((directory + L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        HANDLE file =
            CreateFileW((directory + L"notes.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    for (int i = 0; i < kFanOut; ++i) {
        std::wstring child = directory + L"Folder" + std::to_wstring(i) + L"\\";
        if (CreateDirectoryW(child.c_str(), nullptr)) ++folders;
        CreateTree(child, level + 1, folders);
    }
}

void RemoveTree(const std::wstring& directory)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((directory + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = directory + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full + L"\\");
            else DeleteFileW(full.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(directory.c_str());
}

// What a straightforward implementation would do: one FindFirstFileW per folder, every line
// converted and appended on its own.
void NaiveWalk(const std::wstring& directory, int tabs, std::string& out)
{
    out += "\r\n" + std::string(tabs, '\t') + WideToAnsi(directory);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((directory + L"*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        NaiveWalk(directory + name + L"\\", tabs + 1, out);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

bool RunDirCommand(const std::wstring& root)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    std::wstring command = L"cmd /c dir /s /b /a:d \"" + root.substr(0, root.size() - 1) + L"\"";
    PROCESS_INFORMATION process;
    bool started =
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(nul);
    return started;
}

// The shortest of kRepeats timed runs, in milliseconds.
double BestOf(const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < kRepeats; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring root =
        IncludeTrailingBackslash(temp) + L"folvane-bench-walk-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    RemoveTree(root);
    CreateDirectoryW(root.c_str(), nullptr);

    int folders = 0;
    auto start = std::chrono::steady_clock::now();
    CreateTree(root, 1, folders);
    double createMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("tree: %d listed folders, %d levels, created in %.0f ms\n", folders, kLevels, createMs);

    std::string listing;
    std::string naive;
    ListTree(listing, root, 1, 8);  // warm the file system caches once
    double walkMs = BestOf([&] { listing.clear(); ListTree(listing, root, 1, 8); });
    double naiveMs = BestOf([&] { naive.clear(); NaiveWalk(root, 0, naive); });
    bool dirRan = true;
    double dirMs = BestOf([&] { dirRan = RunDirCommand(root) && dirRan; });

    std::printf("ListTree depth 8:         %8.1f ms, %zu bytes\n", walkMs, listing.size());
    std::printf("plain recursive walk:     %8.1f ms, %zu bytes\n", naiveMs, naive.size());
    std::printf("cmd /c dir /s /b /a:d:    %8.1f ms%s\n", dirMs, dirRan ? "" : " (could not start)");
    if (listing != naive) std::printf("warning: the two walks produced different texts\n");
    std::printf("ratio walk_vs_naive %.3f\n", walkMs / naiveMs);
    if (dirRan) std::printf("ratio walk_vs_dir %.3f\n", walkMs / dirMs);

    RemoveTree(root);
    return 0;
}

// Times the run's directory tree walk (directories read ahead by a pool of worker threads) on a
// generated tree of about 20,000 folders against a plain recursive enumeration and against the
// command interpreter's recursive directory listing; the serial ListTree is timed beside them. Then
// measures the peak memory of a whole listing run (walk and file) over that tree and over one ten
// times larger, each in a process of its own.
#include "app/CommandLine.h"
#include "app/ListTree.h"
#include "app/ListingRun.h"
#include "app/TreePrefetcher.h"
#include "framework/Handles.h"
#include "framework/Text.h"

#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kFanOut = 7;
constexpr int kLevels = 5;
constexpr int kRepeats = 3;
constexpr int kLargeTreeCopies = 10;

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

// Asks a walk to stop once it has run for a set time, and notes when it asked.
class TStopAfter : public TWalkHost {
public:
    explicit TStopAfter(double milliseconds) : start_(std::chrono::steady_clock::now()), after_(milliseconds) {}

    void Idle() override {}
    bool StopWanted() override
    {
        if (!asked_ && MillisecondsSince(start_) >= after_) {
            asked_ = true;
            askedAt_ = std::chrono::steady_clock::now();
        }
        return asked_;
    }
    double MillisecondsSinceAsked() const { return asked_ ? MillisecondsSince(askedAt_) : -1; }

private:
    static double MillisecondsSince(std::chrono::steady_clock::time_point from)
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
    }

    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point askedAt_;
    double after_;
    bool asked_ = false;
};

// The child's part of the memory measurement: one listing run of root at depth 8 into out, then its
// working set before the run and its peak working set, in bytes, on standard output.
int MeasureRun(const std::wstring& root, const std::wstring& out)
{
    PROCESS_MEMORY_COUNTERS before{};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    SYSTEMTIME now;
    GetLocalTime(&now);
    TPlainWalkHost host;
    TListingRun run({out, true, L"bench-listing.txt", leAnsi}, {}, now);
    run.Walk({root, 8}, host);
    run.Complete();
    PROCESS_MEMORY_COUNTERS after{};
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    std::printf("%zu %zu\n", before.WorkingSetSize, after.PeakWorkingSetSize);
    return 0;
}

struct TRunMemory {
    double BeforeMb = 0;
    double PeakMb = 0;
};

// Runs this program as the child of MeasureRun and reads what it printed.
TRunMemory MeasureInChild(const std::wstring& root, const std::wstring& out)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    TFileHandle reading(readEnd), writing(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    // A backslash before a closing quote would escape it; doubled, it stands for itself.
    auto quoted = [](const std::wstring& path) { return L"\"" + path + (path.ends_with(L'\\') ? L"\\\"" : L"\""); };
    std::wstring command = quoted(self) + L" memory " + quoted(root) + L" " + quoted(out);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return {};
    writing.Reset();
    std::string printed;
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) printed.append(buffer, read);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    unsigned long long before = 0, peak = 0;
    if (std::sscanf(printed.c_str(), "%llu %llu", &before, &peak) != 2) return {};
    return {before / 1048576.0, peak / 1048576.0};
}

// The shortest of kRepeats timed runs of each piece of work, in milliseconds. The pieces take turns,
// so that a change in the machine's load between rounds weighs on all of them alike.
std::vector<double> BestOf(const std::vector<std::function<void()>>& works)
{
    std::vector<double> best(works.size(), 1e300);
    for (int i = 0; i < kRepeats; ++i) {
        for (size_t w = 0; w < works.size(); ++w) {
            auto start = std::chrono::steady_clock::now();
            works[w]();
            double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            best[w] = std::min(best[w], ms);
        }
    }
    return best;
}

} // namespace

int main()
{
    std::vector<std::wstring> arguments = ProgramArguments();
    if (!arguments.empty() && arguments[0] == L"memory")
        return arguments.size() == 3 ? MeasureRun(arguments[1], arguments[2]) : 2;

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
    std::string serial;
    std::string naive;
    ListTree(serial, root, 1, 8);  // warm the file system caches once
    TPlainWalkHost host;
    bool dirRan = true;
    std::vector<double> best = BestOf({
        [&] {
            listing.clear();
            TTreePrefetcher(TTreePrefetcher::kWorkers).ListTree(listing, root, 1, 8, host);
        },
        [&] { serial.clear(); ListTree(serial, root, 1, 8); },
        [&] { naive.clear(); NaiveWalk(root, 0, naive); },
        [&] { dirRan = RunDirCommand(root) && dirRan; },
    });
    double walkMs = best[0], serialMs = best[1], naiveMs = best[2], dirMs = best[3];

    std::printf("walk, %d reading threads:  %8.1f ms, %zu bytes\n", TTreePrefetcher::kWorkers, walkMs, listing.size());
    std::printf("ListTree, one thread:      %8.1f ms, %zu bytes\n", serialMs, serial.size());
    std::printf("plain recursive walk:      %8.1f ms, %zu bytes\n", naiveMs, naive.size());
    std::printf("cmd /c dir /s /b /a:d:     %8.1f ms%s\n", dirMs, dirRan ? "" : " (could not start)");
    if (listing != naive || serial != naive) std::printf("warning: the walks produced different texts\n");
    std::printf("ratio walk_vs_naive %.3f\n", walkMs / naiveMs);
    std::printf("ratio serial_walk_vs_naive %.3f\n", serialMs / naiveMs);
    if (dirRan) std::printf("ratio walk_vs_dir %.3f\n", walkMs / dirMs);

    // A stop asked 100 ms into the walk: how long until the walk has returned, and until its reading
    // threads have ended as well.
    std::string partial;
    TStopAfter stop(100);
    double walkEndedMs = -1;
    {
        TTreePrefetcher pool(TTreePrefetcher::kWorkers);
        pool.ListTree(partial, root, 1, 8, stop);
        walkEndedMs = stop.MillisecondsSinceAsked();
    }
    std::printf("stop 100 ms into the walk: walk returned %.2f ms later, threads ended %.2f ms later\n", walkEndedMs,
                stop.MillisecondsSinceAsked());

    // The same tree ten times over, beside the first one.
    std::wstring large = root.substr(0, root.size() - 1) + L"-large\\";
    RemoveTree(large);
    CreateDirectoryW(large.c_str(), nullptr);
    int largeFolders = 0;
    for (int copy = 0; copy < kLargeTreeCopies; ++copy) {
        std::wstring copyRoot = large + L"Copy" + std::to_wstring(copy) + L"\\";
        if (CreateDirectoryW(copyRoot.c_str(), nullptr)) ++largeFolders;
        CreateTree(copyRoot, 1, largeFolders);
    }
    std::wstring out = root.substr(0, root.size() - 1) + L"-out\\";
    CreateDirectoryW(out.c_str(), nullptr);
    TRunMemory small = MeasureInChild(root, out);
    TRunMemory big = MeasureInChild(large, out);
    std::printf("run memory, %d folders:   %6.1f MB before the run, %6.1f MB at the peak\n", folders, small.BeforeMb,
                small.PeakMb);
    std::printf("run memory, %d folders:  %6.1f MB before the run, %6.1f MB at the peak (%+.1f MB)\n", largeFolders,
                big.BeforeMb, big.PeakMb, big.PeakMb - small.PeakMb);
    if (small.PeakMb > 0) std::printf("ratio walk_memory_large_vs_small %.3f\n", big.PeakMb / small.PeakMb);

    RemoveTree(out);
    RemoveTree(large);
    RemoveTree(root);
    return 0;
}

// Times the start of folvane.exe, from process creation until its main window is shown, painted
// and answering messages, against a minimal program that registers a class and shows one empty
// window of the same size. The two are started in turn, several times; medians are compared. The
// same is done again with the display scale set to 150 % (144 DPI) for the programs started, as a
// laptop's often is. Then, to show where the time goes, the main window is made, shown and painted
// inside this process (which carries the same embedded skin), step by step.
#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/Text.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 9;
constexpr DWORD kGiveUpMs = 20000;
constexpr DWORD kScaledDpi = 144;

struct TSearch {
    DWORD ProcessId;
    HWND Window;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<TSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->ProcessId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
    search->Window = window;
    return FALSE;
}

double Elapsed(const LARGE_INTEGER& from, const LARGE_INTEGER& frequency)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct TStart {
    double Milliseconds = -1;
    SIZE WindowSize{0, 0};
};

// Starts the program and waits for its shown top-level window to be painted and to answer.
TStart TimeStart(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder)
{
    LARGE_INTEGER frequency, start;
    QueryPerformanceFrequency(&frequency);
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        return {};
    TStart result;
    TSearch search{process.dwProcessId, nullptr};
    // The program first waits for input once its start-up work is done; polling only from then on
    // keeps this process from taking the processor the measured one needs.
    WaitForInputIdle(process.hProcess, kGiveUpMs);
    while (Elapsed(start, frequency) < kGiveUpMs) {
        search.Window = nullptr;
        EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
        DWORD_PTR answer = 0;
        if (search.Window && SendMessageTimeoutW(search.Window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) &&
            !GetUpdateRect(search.Window, nullptr, FALSE)) {
            result.Milliseconds = Elapsed(start, frequency);
            RECT r;
            GetWindowRect(search.Window, &r);
            result.WindowSize = {r.right - r.left, r.bottom - r.top};
            break;
        }
        Sleep(2);
    }
    // The close is not timed: a program that is not gone half a second after the request is ended, as
    // in a Wine prefix without our settings, where each window waits two seconds for a window
    // manager when it hides.
    if (search.Window) PostMessageW(search.Window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 500) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(const std::function<void()>& step)
{
    LARGE_INTEGER frequency, start;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    step();
    return Elapsed(start, frequency);
}

// The steps of making the main window inside this process, medians of several rounds.
void PrintSteps()
{
    Application->Initialize();
    std::vector<double> decode, scale, create, show, region, frame, hiddenLayout;
    for (int round = 0; round < kRuns; ++round) {
        decode.push_back(Milliseconds([] {
            TSeSkinEngine engine(nullptr);
            engine.ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
        }));
        {
            TSeSkinEngine engine(nullptr);
            engine.ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
            scale.push_back(Milliseconds([&engine] { engine.SourceForDpi(kScaledDpi); }));
        }
        TForm1* form = nullptr;
        create.push_back(Milliseconds([&form] { form = Application->CreateForm<TForm1>(); }));
        hiddenLayout.push_back(Milliseconds([form] { form->SeSkinForm1->UpdateLayout(); }));
        show.push_back(Milliseconds([form] {
            form->Show();
            UpdateWindow(form->Handle());
        }));
        TSeSkinForm* skinned = form->SeSkinForm1;
        region.push_back(Milliseconds([skinned] { skinned->RebuildWindowRegion(); }));
        frame.push_back(Milliseconds([skinned] { skinned->PaintNonClient(); }));
        delete form;
        Application->ProcessMessages();
    }
    std::printf("\nin this process, medians of %d:\n", kRuns);
    std::printf("  skin decode alone                          %6.1f ms\n", Median(decode));
    std::printf("  skin scaled for %lu DPI                    %6.1f ms (at start-up on such a display)\n", kScaledDpi,
                Median(scale));
    std::printf("  main window made (controls, skin, windows) %6.1f ms\n", Median(create));
    std::printf("  shown and painted                          %6.1f ms\n", Median(show));
    std::printf("  the frame's own part: layout update       %6.1f ms (as at start-up, window hidden)\n",
                Median(hiddenLayout));
    std::printf("                        window region       %6.1f ms (window shown)\n", Median(region));
    std::printf("                        frame painted       %6.1f ms\n", Median(frame));
}

void PrintRuns(const char* name, const std::vector<double>& runs)
{
    std::printf("%-22s median %7.1f ms  runs", name, Median(runs));
    for (double run : runs) std::printf(" %.0f", run);
    std::printf("\n");
}

// The display scale (the user's DPI setting) that programs started from now on read, set for as
// long as the object lives; the previous setting comes back afterwards.
class TDisplayScale {
public:
    explicit TDisplayScale(DWORD dpi)
    {
        DWORD size = sizeof(previous_);
        hadSetting_ = RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &previous_, &size) ==
                      ERROR_SUCCESS;
        Set(dpi);
    }
    ~TDisplayScale()
    {
        if (hadSetting_)
            Set(previous_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
    }
    TDisplayScale(const TDisplayScale&) = delete;
    TDisplayScale& operator=(const TDisplayScale&) = delete;

private:
    static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
    static constexpr const wchar_t* kValue = L"LogPixels";
    static void Set(DWORD dpi) { RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof(dpi)); }

    DWORD previous_ = 0;
    bool hadSetting_ = false;
};

// Starts folvane.exe and the minimal program in turn and prints their runs; the ratio of the
// medians, or a negative value when a program showed no window.
double StartupRatio(const std::wstring& folvane, const std::wstring& minimal, const std::wstring& folder)
{
    // One start first, to learn the window's size and to have the files in the cache for both.
    TStart first = TimeStart(folvane, L"", folder);
    if (first.Milliseconds < 0) {
        std::printf("folvane.exe did not show its window\n");
        return -1;
    }
    const std::wstring size = std::to_wstring(first.WindowSize.cx) + L" " + std::to_wstring(first.WindowSize.cy);
    TimeStart(minimal, size, folder);

    std::vector<double> program, reference;
    for (int run = 0; run < kRuns; ++run) {
        TStart a = TimeStart(folvane, L"", folder);
        TStart b = TimeStart(minimal, size, folder);
        if (a.Milliseconds < 0 || b.Milliseconds < 0) {
            std::printf("a program did not show its window\n");
            return -1;
        }
        program.push_back(a.Milliseconds);
        reference.push_back(b.Milliseconds);
    }
    std::printf("window %ld x %ld\n", first.WindowSize.cx, first.WindowSize.cy);
    PrintRuns("folvane.exe", program);
    PrintRuns("minimal_window.exe", reference);
    return Median(program) / Median(reference);
}

} // namespace

int main()
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring benchFolder = IncludeTrailingBackslash(ExtractFilePath(exe));
    const std::wstring buildFolder =
        IncludeTrailingBackslash(ExtractFilePath(benchFolder.substr(0, benchFolder.size() - 1)));
    const std::wstring folvane = buildFolder + L"folvane.exe";
    const std::wstring minimal = benchFolder + L"minimal_window.exe";

    const double ratio = StartupRatio(folvane, minimal, buildFolder);
    if (ratio < 0) return 1;
    std::printf("\nat %lu DPI:\n", kScaledDpi);
    double scaledRatio = -1;
    {
        TDisplayScale scale(kScaledDpi);
        scaledRatio = StartupRatio(folvane, minimal, buildFolder);
    }
    if (scaledRatio < 0) return 1;
    PrintSteps();
    std::printf("\nratio startup_vs_minimal_window %.2f\n", ratio);
    std::printf("ratio startup_%ludpi_vs_minimal_window %.2f\n", kScaledDpi, scaledRatio);
    return 0;
}

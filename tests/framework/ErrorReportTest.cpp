#include "framework/Application.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

BOOL CALLBACK CollectBox(HWND window, LPARAM boxes)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleBoxes()
{
    std::vector<HWND> boxes;
    EnumThreadWindows(GetCurrentThreadId(), CollectBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

} // namespace

TEST(ErrorReportNesting, AnErrorWhileTheReportBoxIsShowingOpensNoSecondBox)
{
    Application->Initialize();
    Application->OnException = nullptr;
    // The box's own loop keeps running the timers, as it keeps painting: this one fails each time.
    int failures = 0;
    TTimer failing(nullptr);
    failing.SetInterval(10);
    failing.OnTimer = [&failures] {
        ++failures;
        throw Exception(L"painting failed again");
    };
    size_t mostBoxes = 0;
    int ticks = 0;
    TTimer watcher(nullptr);
    watcher.SetInterval(30);
    watcher.OnTimer = [&] {
        std::vector<HWND> boxes = VisibleBoxes();
        mostBoxes = std::max(mostBoxes, boxes.size());
        if (++ticks < 10) return;
        failing.SetEnabled(false);
        watcher.SetEnabled(false);
        for (HWND box : boxes) PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    Application->HandleException(Exception(L"painting failed"));
    EXPECT_GT(failures, 3);
    EXPECT_EQ(mostBoxes, 1u);
    EXPECT_TRUE(VisibleBoxes().empty());
}

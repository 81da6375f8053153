#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Works the modal windows (message boxes, dialogs) that the code under test opens on this
// process's user-interface thread. A helper thread waits for each expected window in turn, by its
// caption (dialog windows only), records the texts of its static controls, and runs the step's action on it (usually
// pressing a button). Real windows on the display, driven with real messages.
class TModalDriver {
public:
    using TAction = std::function<void(HWND dialog)>;

    TModalDriver() = default;
    ~TModalDriver();
    TModalDriver(const TModalDriver&) = delete;
    TModalDriver& operator=(const TModalDriver&) = delete;

    // Queues a step: the next window with this caption gets the action. Call before the code
    // under test opens the window; the helper thread starts with the first step.
    void Expect(const std::wstring& caption, TAction action);

    // Waits until every step ran (true) or the time ran out (false).
    bool WaitDone(DWORD milliseconds = 15000);

    // The static texts of each handled window, joined by "\n", in the order handled.
    std::vector<std::wstring> Texts() const;

    // Actions.
    static TAction Press(int buttonId);
    static TAction SetTextAndPress(int editId, std::wstring text, int buttonId);

private:
    struct TStep {
        std::wstring Caption;
        TAction Action;
    };

    void Work();
    HWND FindWindowOfThisProcess(const std::wstring& caption) const;

    mutable std::mutex mutex_;
    std::vector<TStep> steps_;
    std::vector<std::wstring> texts_;
    size_t next_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The static texts of a window's children, joined by "\n".
std::wstring StaticTexts(HWND window);

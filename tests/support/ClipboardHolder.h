#pragma once

#include <windows.h>

#include <future>
#include <thread>

// Keeps the clipboard open on a thread of its own for its lifetime, as another program that holds
// it would: OpenClipboard fails everywhere else meanwhile.
class TClipboardHolder {
public:
    TClipboardHolder()
    {
        std::promise<bool> opened;
        std::future<bool> held = opened.get_future();
        thread_ = std::thread([this, &opened] {
            // Opened for a window of its own, as a program opens it: no other window can open it then.
            HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
            const bool open = window && OpenClipboard(window) != FALSE;
            opened.set_value(open);
            release_.get_future().wait();
            if (open) CloseClipboard();
            if (window) DestroyWindow(window);
        });
        held_ = held.get();
    }
    ~TClipboardHolder()
    {
        release_.set_value();
        thread_.join();
    }
    TClipboardHolder(const TClipboardHolder&) = delete;
    TClipboardHolder& operator=(const TClipboardHolder&) = delete;

    // The holder did get the clipboard.
    bool Held() const { return held_; }

private:
    std::promise<void> release_;
    std::thread thread_;
    bool held_ = false;
};

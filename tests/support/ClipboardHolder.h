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
            const bool open = OpenClipboard(nullptr) != FALSE;
            opened.set_value(open);
            release_.get_future().wait();
            if (open) CloseClipboard();
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

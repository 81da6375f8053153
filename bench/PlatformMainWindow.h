#pragma once

#include "framework/Graphics.h"

#include <windows.h>

#include <string>

// The main window built from the platform's own controls, as a user would get it without the skin:
// the same layout, captions and fonts, buttons, edit boxes, a combo box, radio buttons, a group
// box, a progress bar, the list view and labels, with the platform's menu bar holding the same items.
class TPlatformMainWindow {
public:
    // A window of clientWidth x clientHeight (the menu bar aside) at (x, y); outputDir is the text of
    // the output directory box.
    TPlatformMainWindow(int x, int y, int clientWidth, int clientHeight, const std::wstring& outputDir);
    ~TPlatformMainWindow();
    TPlatformMainWindow(const TPlatformMainWindow&) = delete;
    TPlatformMainWindow& operator=(const TPlatformMainWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    HWND Child(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width, int height,
               DWORD exStyle = 0);

    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    TFont font_;
    TFont comboFont_;
};

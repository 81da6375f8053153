#pragma once

#include "ModalDriver.h"
#include "TempTree.h"

#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/StdCtrls.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// A message-only window that runs posted actions when its messages are handled.
class TPostedActions {
public:
    TPostedActions();
    ~TPostedActions();
    void Post(std::function<void()> action);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

// The real main window on the display, made the way the program makes it, with the process's
// current directory set to a fresh temporary folder first (so StartDir is that folder).
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void AddRows(std::initializer_list<std::pair<std::wstring, std::wstring>> rows);
    // Handles every pending message of this thread, as the message loop would.
    void Pump();
    // Posts a click to a button so that it is handled at the next point that lets input through.
    static void PostClick(TWinControl* button);
    // Posts an action that runs, like input, at the next point that lets this thread's messages through.
    void PostAction(std::function<void()> action);
    static bool FileExists(const std::wstring& path);

    TTempTree tree{L"form"};
    TPostedActions postedActions;
    std::wstring previousDirectory;
    TForm1* form = nullptr;
    TModalDriver driver;

    // The caption of the program's message windows.
    static constexpr const wchar_t* kMessageCaption = L"Folvane Tool";
};

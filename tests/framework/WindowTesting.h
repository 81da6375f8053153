#pragma once

#include "framework/Application.h"
#include "framework/Forms.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <string>

// A visible form on the test display for each test, freed afterwards; the application's error
// report is captured instead of showing a message box.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->OnException = [this](const Exception& e) { Reports.push_back(e.Message()); };
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 400, 300);
        Form->SetClientSize(360, 240);
    }

    void TearDown() override
    {
        delete Form;
        Application->OnException = nullptr;
        Application->ProcessMessages();
    }

    void ShowForm()
    {
        Form->Show();
        SetForegroundWindow(Form->Handle());
        Application->ProcessMessages();
    }

    // Delivers a key press the way the keyboard would: to the focused window, through the loop.
    static void PressKey(WPARAM key, bool shift = false)
    {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
        Application->ProcessMessages();
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }

    TForm* Form = nullptr;
    std::vector<std::wstring> Reports;
};

#pragma once

#include "tests/framework/WindowTesting.h"
#include "tests/support/KeyInput.h"

#include "framework/Clipboard.h"
#include "skinctl/KsEdits.h"

#include <windowsx.h>

#include <string>

// An edit that lets tests look at its drawing.
class TTestEdit : public TKsCustomEdit {
public:
    using TKsCustomEdit::SelectionRect;
    using TKsCustomEdit::TextRect;
    using TKsCustomEdit::TKsCustomEdit;
};

// A shown form with one focused edit, and input delivered the way the keyboard and mouse deliver it.
class EditWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Edit = new TTestEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 121, 21);
        ShowForm();
        Edit->SetFocus();
        Application->ProcessMessages();
    }

    // A key with exactly these modifiers held, through the message loop.
    static void Key(WORD key, TShiftState modifiers = 0)
    {
        HoldModifiers(modifiers);
        PostKeyPress(GetFocus(), key);
        Application->ProcessMessages();
        HoldModifiers(0);
    }

    // Characters as typing delivers them, one WM_CHAR per UTF-16 unit.
    static void Type(const std::wstring& text)
    {
        for (wchar_t unit : text) PostMessageW(GetFocus(), WM_CHAR, unit, 1);
        Application->ProcessMessages();
    }

    void Click(int x, UINT message = WM_LBUTTONDOWN, WPARAM flags = MK_LBUTTON)
    {
        LPARAM point = MAKELPARAM(x, 8);
        SendMessageW(Edit->Handle(), message, flags, point);
        SendMessageW(Edit->Handle(), WM_LBUTTONUP, flags & ~MK_LBUTTON, point);
    }

    static int CaretX()
    {
        POINT p{};
        GetCaretPos(&p);
        return p.x;
    }

    TTestEdit* Edit = nullptr;
};

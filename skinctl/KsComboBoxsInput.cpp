#include "skinctl/KsComboBoxs.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

void TKsCustomComboBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_CLOSEUP:
        if (closePending_) CloseDropDownWindow(chooseOnClose_);
        return;
    case WM_GETTEXTLENGTH:
        message.Result = static_cast<LRESULT>(Text().size());
        return;
    case WM_GETTEXT: {
        // The list-only style answers with the chosen item, which is not the edit's own text.
        auto* target = reinterpret_cast<wchar_t*>(message.LParam);
        if (!target || message.WParam == 0) return;
        std::wstring text = Text();
        size_t count = std::min<size_t>(text.size(), message.WParam - 1);
        std::memcpy(target, text.data(), count * sizeof(wchar_t));
        target[count] = L'\0';
        message.Result = static_cast<LRESULT>(count);
        return;
    }
    case WM_SETCURSOR:
        if (LOWORD(message.LParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            TPoint client = ScreenToClient({p.x, p.y});
            if (comboStyle_ == kcsDropDownList || OverButton(client.X, client.Y)) {
                SetCursor(LoadCursorW(nullptr, IDC_ARROW));
                message.Result = TRUE;
                return;
            }
        }
        break;
    default:
        break;
    }
    TKsCustomEdit::WndProc(message);
}

void TKsCustomComboBox::SetButtonHot(bool hot)
{
    if (hot == buttonHot_) return;
    buttonHot_ = hot;
    Invalidate();
}

void TKsCustomComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OverButton(x, y)) {
        // The button is no part of the text: a press there only focuses and drops down.
        if (!HasFocus() && CanFocus()) SetFocus();
        if (button != mbLeft) return;
        if (closePending_) return;
        buttonPressed_ = true;
        Invalidate();
        OpenDropDownWindow();
        return;
    }
    TKsCustomEdit::MouseDown(button, shift, x, y);
    if (comboStyle_ != kcsDropDownList || button == mbRight || closePending_) return;
    // The list takes the mouse from here on, not a text selection of the box.
    if (GetCapture() == Handle()) ReleaseCapture();
    OpenDropDownWindow();
}

void TKsCustomComboBox::MouseMove(TShiftState shift, int x, int y)
{
    TKsCustomEdit::MouseMove(shift, x, y);
    SetButtonHot(OverButton(x, y));
}

void TKsCustomComboBox::MouseLeave()
{
    SetButtonHot(false);
    TKsCustomEdit::MouseLeave();
}

bool TKsCustomComboBox::MouseWheel(TShiftState shift, int delta, TPoint screenPoint)
{
    // A closed box moves one item a notch whatever the lines setting (the open list scrolls by it),
    // toward the first item when the wheel turns away from the user; the small turns of a fine
    // wheel add up to notches.
    wheelDelta_ += delta;
    const int notches = wheelDelta_ / WHEEL_DELTA;
    wheelDelta_ -= notches * WHEEL_DELTA;
    if (notches == 0) return true;
    SetItemIndex(CurrentItem() - notches);
    IndexStepped();
    return true;
}

void TKsCustomComboBox::KeyDown(WORD& key, TShiftState shift)
{
    // Alt+F4 is the window's close command, never the list's key.
    if ((key == VK_DOWN && (shift & ssAlt)) || (key == VK_F4 && !(shift & ssAlt))) {
        key = 0;
        OpenDropDownWindow();
        return;
    }
    TKsCustomEdit::KeyDown(key, shift);
    // In the editable style Page Up, Page Down, Home and End stay the text's own caret keys.
    bool list = comboStyle_ == kcsDropDownList;
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
        if (!list) return;
        if (key == VK_PRIOR) SetItemIndex(itemIndex_ - 3);
        if (key == VK_NEXT) SetItemIndex(itemIndex_ + 3);
        if (key == VK_END) SetItemIndex(Items().Count() - 1);
        if (key == VK_HOME) SetItemIndex(0);
        break;
    case VK_UP:
        SetItemIndex(CurrentItem() - 1);
        break;
    case VK_DOWN:
        SetItemIndex(CurrentItem() + 1);
        break;
    default:
        return;
    }
    IndexStepped();
}

void TKsCustomComboBox::IndexStepped()
{
    // Setting the index has told the owner of the change in the list-only style already; once is enough.
    if (itemIndex_ < 0 && Items().Count() > 0) SetItemIndex(0);
    Invalidate();
}

void TKsCustomComboBox::ListKeyDown(WORD& key, TShiftState shift)
{
    switch (key) {
    case VK_ESCAPE:
        PostCloseUp(false);
        break;
    case VK_F4:
        if (shift & ssAlt) {
            // The list's window is not the one a person means to close: it closes up, and the
            // window that holds the box gets the close command.
            PostCloseUp(false);
            PostMessageW(GetAncestor(Handle(), GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        PostCloseUp(true);
        break;
    case VK_RETURN:
    case VK_SPACE:
        PostCloseUp(true);
        break;
    case VK_UP:
    case VK_DOWN:
        if (!(shift & ssAlt)) return;
        PostCloseUp(true);
        break;
    default:
        return;
    }
    key = 0;
}

void TKsCustomComboBox::DoEnter()
{
    TKsCustomEdit::DoEnter();
    if (comboStyle_ == kcsDropDownList) HideCaret();
    Invalidate();
}

void TKsCustomComboBox::DoExit()
{
    TKsCustomEdit::DoExit();
    Invalidate();
}

#include "skinctl/KsEditCaret.h"

void TKsEditCaret::Create(HWND window, int width, int height)
{
    Destroy();
    if (!CreateCaret(window, nullptr, width, height)) return;
    window_ = window;
    height_ = height;
    position_ = {};
    moved_ = false;
    SetCaretPos(0, 0);
}

void TKsEditCaret::Destroy()
{
    if (!window_) return;
    // The thread has one caret; destroy it only while it is still this window's.
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret == window_) DestroyCaret();
    window_ = nullptr;
}

void TKsEditCaret::MoveTo(TPoint position)
{
    if (!window_ || position == position_) return;
    position_ = position;
    moved_ = true;
}

void TKsEditCaret::Place()
{
    if (!window_ || !moved_) return;
    moved_ = false;
    SetCaretPos(position_.X, position_.Y);
}

void TKsEditCaret::Show()
{
    if (window_) ShowCaret(window_);
}

void TKsEditCaret::Hide()
{
    if (window_) HideCaret(window_);
}

#pragma once

#include "framework/Types.h"

#include <windows.h>

// The platform caret of one window, which blinks at the user's rate by itself. It exists only
// while the window has the focus; the owner makes it on focus and drops it on focus loss. A move
// is kept until the window paints: the platform hides the caret while a window paints, and moving
// a hidden caret costs no redraw of it.
class TKsEditCaret {
public:
    TKsEditCaret() = default;
    TKsEditCaret(const TKsEditCaret&) = delete;
    TKsEditCaret& operator=(const TKsEditCaret&) = delete;
    ~TKsEditCaret() { Destroy(); }

    // A solid caret of the given width and height, hidden until Show.
    void Create(HWND window, int width, int height);
    void Destroy();
    bool Exists() const { return window_ != nullptr; }
    int Height() const { return height_; }
    // Where the caret is, or goes at the next Place.
    TPoint Position() const { return position_; }

    void MoveTo(TPoint position);
    // Puts the platform caret where MoveTo asked for.
    void Place();
    // Hiding is counted by the platform: every Hide needs a Show.
    void Show();
    void Hide();

private:
    HWND window_ = nullptr;
    int height_ = 0;
    TPoint position_;
    bool moved_ = false;
};

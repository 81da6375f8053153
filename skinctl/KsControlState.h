#pragma once

#include "skin/objects/KsSkinObjects.h"

// The interaction state every skinned control keeps: hot (the pointer is over the control) and
// focused, and for the controls that can be pressed, pressed by the mouse (a left press is being
// tracked and the pointer is inside) or by the keyboard (Space is held). Each transition answers
// whether the look changed, so the control repaints only then.
class TKsControlState {
public:
    bool Hot() const { return hot_; }
    bool Focused() const { return focused_; }
    bool Tracking() const { return tracking_; }
    // Down, by the mouse with the pointer inside or by the held Space key.
    bool Pressed() const { return (tracking_ && pointerInside_) || keyPressed_; }

    bool MouseEnter() { return Set(hot_, true); }
    bool MouseLeave() { return Set(hot_, false); }
    bool FocusEnter() { return Set(focused_, true); }
    bool FocusExit();

    // A left press on the control: tracking starts with the pointer inside.
    bool MouseDown();
    // The pointer moved while tracking; inside is whether it lies over the control.
    bool MouseMove(bool inside);
    // The left button came up. True when that is a click: tracked and released inside.
    bool MouseUp(bool inside);
    bool KeyDown() { return ChangePressed([this] { keyPressed_ = true; }); }
    // Space came up. True when that is a click: the key had pressed the control.
    bool KeyUp();

    // The skin object state of the face: disabled, else pressed, else hot, else focused (or shown as
    // the default button), else normal.
    TSeState FaceState(bool enabled, bool showsDefault) const;

private:
    static bool Set(bool& flag, bool value);
    template <typename Change>
    bool ChangePressed(Change change)
    {
        bool before = Pressed();
        change();
        return Pressed() != before;
    }

    bool hot_ = false;
    bool focused_ = false;
    bool tracking_ = false;
    bool pointerInside_ = false;
    bool keyPressed_ = false;
};

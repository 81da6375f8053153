#include "skinctl/KsControlState.h"

bool TKsControlState::Set(bool& flag, bool value)
{
    if (flag == value) return false;
    flag = value;
    return true;
}

bool TKsControlState::FocusExit()
{
    // A control that loses the focus while Space holds it down comes back up without a click.
    bool pressedChanged = ChangePressed([this] { keyPressed_ = false; });
    return Set(focused_, false) || pressedChanged;
}

bool TKsControlState::MouseDown()
{
    return ChangePressed([this] {
        tracking_ = true;
        pointerInside_ = true;
    });
}

bool TKsControlState::MouseMove(bool inside)
{
    if (!tracking_) return false;
    return ChangePressed([&] { pointerInside_ = inside; });
}

bool TKsControlState::MouseUp(bool inside)
{
    bool click = tracking_ && inside;
    ChangePressed([this] {
        tracking_ = false;
        pointerInside_ = false;
    });
    return click;
}

bool TKsControlState::KeyUp()
{
    bool click = keyPressed_;
    keyPressed_ = false;
    return click;
}

TSeState TKsControlState::FaceState(bool enabled, bool showsDefault) const
{
    if (!enabled) return ssDisabled;
    if (Pressed()) return ssPressed;
    if (hot_) return ssHot;
    if (focused_ || showsDefault) return ssFocused;
    return ssNormal;
}

#pragma once

#include "skinctl/KsControls.h"

#include <string>

// A control pressed by a left click or by Space that acts when it comes back up: the push button
// and the radio button. A press captures the mouse and shows while the pointer stays on the
// control; losing the mouse or the focus in the middle of it brings the control up without acting.
// Space with Alt held belongs to the window menu and presses nothing. The look follows the pointer.
class TKsPressableControl : public TKsCustomControl {
public:
    using TKsCustomControl::TKsCustomControl;

    bool Pressed() const { return State().Pressed(); }

protected:
    // A press came up where it counts: the mouse released on the control, or the Space that
    // pressed it released.
    virtual void PressCompleted() = 0;
    // Whether the pointer at (x, y) is on the control, for the pressed look and the release.
    virtual bool PointerOn(int x, int y) const;
    // The caption in the private font at r: once in its colour, or, while the control is disabled,
    // raised in the highlight colour and then in the shadow colour.
    void DrawCaption(const std::wstring& caption, const TRect& r, UINT format);

    bool ShowsHot() const override { return true; }
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
};

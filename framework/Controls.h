#pragma once

#include "framework/Component.h"

#include <windows.h>

// One window message as the controls' handlers see it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

class TWinControl;

// A visual element with a parent, bounds and a message handler. Each class handles the messages it
// cares about in WndProc and passes the rest to its base class.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);

    TWinControl* Parent() const { return parent_; }
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }

    // Hands a message straight to this control's handler chain, without the message queue.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    virtual void WndProc(TMessage& message);

private:
    TWinControl* parent_ = nullptr;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

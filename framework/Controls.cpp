#include "framework/Controls.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage&) {}

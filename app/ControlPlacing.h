#pragma once

#include "framework/Component.h"
#include "framework/Controls.h"

// How the program's windows make their controls, in the order of their description.

// Creates a control of the window, named and placed in its parent.
template <typename TControlClass>
TControlClass* Place(TComponent* owner, TWinControl* parent, const wchar_t* name, int left, int top, int width,
                     int height)
{
    auto* control = new TControlClass(owner);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// Gives a placed control its caption.
template <typename TControlClass> TControlClass* Captioned(TControlClass* control, const wchar_t* caption)
{
    control->SetCaption(caption);
    return control;
}

// Gives the controls of one parent the tab orders 0, 1, 2, ... in the order listed; rising order
// makes each one land where it is meant to be.
inline void SetTabOrders(std::initializer_list<TWinControl*> controls)
{
    int order = 0;
    for (TWinControl* control : controls) control->SetTabOrder(order++);
}

// Sets the engine of each skinned control, in the order the window was read.
template <typename TEngine, typename... TSkinned> void BindToEngine(TEngine* engine, TSkinned*... controls)
{
    (controls->SetSkinEngine(engine), ...);
}

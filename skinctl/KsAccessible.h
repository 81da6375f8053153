#pragma once

#include "framework/Accessible.h"
#include "framework/Controls.h"
#include "framework/Text.h"

#include <string>

// The accessible object of a control of class C, found again from its window on every call: by
// default named by its caption (without the "&" marks), and hot while the pointer is over it.
template <typename C> class TKsControlAccessible : public TAccessibleObject {
public:
    explicit TKsControlAccessible(C& control, LONG objectId = OBJID_CLIENT)
        : TAccessibleObject(control.Handle(), objectId)
    {
    }

    bool Connected() const override { return TAccessibleObject::Connected() && dynamic_cast<C*>(Control()); }
    std::wstring Name(LONG child) const override { return Trim(StripHotkey(Target().Caption())); }
    LONG State(LONG child) const override
    {
        LONG state = TAccessibleObject::State(child);
        if constexpr (requires(const C& c) { c.Hot(); })
            if (Target().Hot()) state |= STATE_SYSTEM_HOTTRACKED;
        return state;
    }

protected:
    // Asked only while Connected().
    C& Target() const { return *dynamic_cast<C*>(Control()); }
    // "Alt+" and the caption's mnemonic, as a tool reads the key out; empty without one.
    std::wstring AltShortcut() const
    {
        const wchar_t key = AcceleratorChar(Target().Caption());
        return key ? std::wstring(L"Alt+") + key : std::wstring();
    }
};

// The text that names a control without a caption of its own (an edit, a combo box, a list), as a
// person reads the form: the caption of the nearest label (a TLabel, or a radio button, whose
// caption often names the box beside it) with the same parent that ends left of the control on its
// row or above it in its column, at most twice the control's height away; on a tie the one on the
// left. Empty when there is none.
std::wstring LabelTextFor(const TControl& control);

#pragma once

#include "skin/engine/KsSkinEngine.h"
#include "skinwin/KsMenuForm.h"

// A popup frame drawn through the "Frame" child of the engine's "PopupMenu" object (the engine's
// own object, not a copy); the plain frame without a usable skin.
class TSeSkinPopupForm : public TKsPopupForm {
public:
    TSeSkinPopupForm(TKsPopupWindow* window, TSeSkinEngine* engine);

    // The engine's skin is usable and holds "PopupMenu".
    bool Skinned() const;

    TRect ClientMargins() override;
    void PaintFrame(TKsBitmap& buffer) override;

private:
    TSeSkinObject* PopupMenuObject() const;

    TSeSkinEngine* engine_;
};

// A popup window for skinned items, framed by a skinned popup frame.
class TSeSkinPopupWindow : public TKsPopupWindow {
public:
    TSeSkinPopupWindow(TComponent* owner, TSeSkinEngine* engine);

    TSeSkinEngine* SkinEngine() const { return engine_; }

protected:
    TKsPopupForm* CreatePopupForm() override;

private:
    TSeSkinEngine* engine_;
};

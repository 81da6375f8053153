#pragma once

#include "skin/engine/KsSkinEngine.h"
#include "skinctl/KsSkinBinding.h"
#include "skinwin/KsItems.h"

// A menu item drawn through the skin of an engine: the "MenuBar" and "PopupMenu" objects of the
// engine's skin and their item and separator children. These are the engine's own objects, not
// copies; binding looks them up again and clears them while the skin is unusable.
class TSeSkinItem : public TKsCustomItem {
public:
    explicit TSeSkinItem(TComponent* owner);

    TSeSkinEngine* SkinEngine() const { return engine_; }
    // Binds this item and every skinned item below it to engine.
    void SetSkinEngine(TSeSkinEngine* engine);
    std::wstring Version() const { return kSeSkinVersion; }

    // True when the item draws through the skin: not loading or going, the engine's skin usable,
    // and both "MenuBar" and "PopupMenu" found.
    bool Skinned() const;
    TSeSkinObject* MenuBarObject() const { return menuBar_; }
    TSeSkinObject* PopupMenuObject() const { return popupMenu_; }

    SIZE Measure(TKsBitmap& buffer, const TKsItemView& view) override;
    void Paint(TKsBitmap& buffer, const TKsItemView& view, bool mouseDriven, bool selected, const TRect& rect) override;
    TKsPopupWindow* CreatePopupWindow(TKsItemView* parentView) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Looks the skin's objects up again, in the skin as drawn at dpi.
    void Resolve(int dpi);
    // The objects for the DPI of the view's control.
    void ResolveFor(const TKsItemView& view);
    void PaintBarItem(TKsBitmap& buffer, bool mouseDriven, bool selected, const TRect& rect);
    void PaintPopupItem(TKsBitmap& buffer, const TKsItemView& view, bool mouseDriven, bool selected, const TRect& rect);

    TSeSkinEngine* engine_ = nullptr;
    int dpi_ = kDesignDpi;
    TSeSkinObject* menuBar_ = nullptr;
    TSeSkinObject* popupMenu_ = nullptr;
    TSeSkinObject* barItem_ = nullptr;
    TSeSkinObject* popupItem_ = nullptr;
    TSeSkinObject* separator_ = nullptr;
};

// The direct child of object with that name (ignoring ASCII case), or none.
TSeSkinObject* SkinChild(const TSeSkinObject* object, std::wstring_view name);
// The state a selected item is drawn in: hot when the mouse chose it, focused when the keyboard did.
int ItemState(bool mouseDriven, bool selected);

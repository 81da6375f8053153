#pragma once

#include "skin/engine/KsSkinEngine.h"
#include "skinctl/KsSkinBinding.h"
#include "skinwin/KsMenus.h"
#include "skinwin/KsSkinItems.h"

#include <memory>

// A menu bar drawn through a private copy of the skin object SkinObject ("MenuBar"): its "Frame"
// child (or "ToolbarFrame" on a control bar) behind the items, which draw through the engine.
class TSeSkinMenuBar : public TKsCustomMenuBar {
public:
    explicit TSeSkinMenuBar(TComponent* owner);
    ~TSeSkinMenuBar() override;

    TSeSkinItem* SkinItems() const { return static_cast<TSeSkinItem*>(Items()); }
    TSeSkinEngine* SkinEngine() const { return skin_.Engine(); }
    // Binds the bar and its items to engine; the bar takes the height of the skin's frame.
    void SetSkinEngine(TSeSkinEngine* engine);
    const std::wstring& SkinObject() const { return skin_.ObjectName(); }
    // Takes effect at the next binding.
    void SetSkinObject(const std::wstring& name) { skin_.SetObjectName(name); }
    std::wstring Version() const { return kSeSkinVersion; }
    TSeSkinObject* SkinCopy() const { return skin_.Copy(); }

    TRect ContentRect() const override;

protected:
    void PaintBackground(TKsBitmap& buffer) override;
    void ItemsChanged() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The copy's frame object, or none without a usable skin or without that child.
    TSeSkinObject* FrameObject() const;

    TSeSkinBinding skin_{*this, L"MenuBar"};
};

// A popup menu whose items draw through the skin of its engine.
class TSeSkinPopupMenu : public TKsCustomPopupMenu {
public:
    explicit TSeSkinPopupMenu(TComponent* owner);

    TSeSkinItem* SkinItems() const { return static_cast<TSeSkinItem*>(Items()); }
    TSeSkinEngine* SkinEngine() const { return engine_; }
    void SetSkinEngine(TSeSkinEngine* engine);
    std::wstring Version() const { return kSeSkinVersion; }

    // Binds the items to the engine again, then shows them.
    void Popup(int x, int y) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TSeSkinEngine* engine_ = nullptr;
};

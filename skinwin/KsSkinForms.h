#pragma once

#include "framework/Timer.h"
#include "skin/engine/KsSkinEngine.h"
#include "skin/objects/KsSkinObjects.h"
#include "skinwin/KsForms.h"

#include <functional>
#include <memory>
#include <string>

// The form frame drawn through a skin: a private copy of the skin object named by SkinObject
// (normally "Form") draws the frame, lays out the client area, answers the hit test and shows the
// skin's system buttons, which call the frame's operations. Without a usable skin it falls back
// to the plain look of TKsCustomForm.
class TSeSkinForm : public TKsCustomForm {
public:
    explicit TSeSkinForm(TComponent* owner);
    ~TSeSkinForm() override;

    TSeSkinEngine* SkinEngine() const { return engine_; }
    void SetSkinEngine(TSeSkinEngine* engine);
    const std::wstring& SkinObject() const { return skinObject_; }
    void SetSkinObject(const std::wstring& name);
    std::wstring Version() const { return L"2.9.0"; }
    TKsWindowState WindowState() const { return FrameWindowState(); }
    void SetWindowState(TKsWindowState state);
    // Fired by a system button of the skin whose action is sbaCustom.
    std::function<void(TSeSkinObject* sender)> OnCustomAction;

    // True with an engine whose skin is in place and holds objects, and a copy taken from it.
    bool SkinUsable() const;
    // The private copy and the parts of it the frame keeps track of; none without a skin.
    TSeSkinObject* SkinCopy() const { return copy_.get(); }
    TSeSkinObject* TitleObject() const { return title_; }
    TSeSkinObject* ClientObject() const { return client_; }
    TSeSkinObject* HotObject() const { return hot_; }
    TSeSkinObject* PressedObject() const { return pressed_; }

    void CustomAction(TSeSkinObject& button) override;

    TRegionHandle CreateRegion() override;
    // A skinned item bound to the frame's engine.
    TKsCustomItem* CreateItem(TComponent* owner) override;
    TRect CaptionButtonRect(TKsBorderIcon button) override;
    TRect ClientRect() override;
    void PaintFrame(TKsBitmap& buffer) override;
    void PaintClientBackground(TKsBitmap& buffer) override;
    TKsFramePart HitTest(TPoint point) override;
    // The skin's title object is the caption's text room; its text is measured in the wider of its
    // active and inactive fonts.
    int CaptionShortfall(const std::wstring& text) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void BeforeMessage(TMessage& message) override;
    void FrameMouseDown(TMouseButton button, TShiftState shift, TPoint point) override;
    void FrameMouseMove(TShiftState shift, TPoint point) override;
    void FrameMouseUp(TMouseButton button, TShiftState shift, TPoint point) override;
    void FrameActivated(bool active) override;

private:
    void BindSkin();
    void ReleaseSkin();
    void SkinChanging();
    // The copy laid out over the frame's current size.
    void LayoutSkin();
    void PlaceLinkedControls();
    void FitFormToSkin();
    void HoverTick();
    TSeSkinObject* ObjectAt(TPoint point);

    TSeSkinEngine* engine_ = nullptr;
    std::wstring skinObject_ = L"Form";
    TTimer* hoverTimer_;
    std::unique_ptr<TSeSkinObject> copy_;
    TSeSkinObject* title_ = nullptr;
    TSeSkinObject* client_ = nullptr;
    TSeSkinObject* hot_ = nullptr;
    TSeSkinObject* pressed_ = nullptr;
    // The pointer left the pressed object while the button is held.
    bool offPressed_ = false;
    SIZE skinSize_{0, 0};
    // The DPI the copy was taken for: the form's when it was bound.
    int skinDpi_ = kDesignDpi;
    bool skinChanging_ = false;
};

#pragma once

#include "framework/Component.h"
#include "framework/Controls.h"
#include "skin/engine/KsSkinEngine.h"
#include "skin/objects/KsSkinObjects.h"

#include <memory>
#include <string>
#include <string_view>

// The version every skinned component reports.
inline constexpr const wchar_t* kSeSkinVersion = L"2.9.0";

// The link between one skinned control and a skin engine: the engine (not owned), the name of the
// top-level skin object the control draws with, and the control's private copy of that object,
// taken from the skin as it is drawn at the control's DPI.
// The copy is freed before the skin changes or the engine goes, and made again from the new skin,
// so the control never draws with objects whose bitmaps are gone.
class TSeSkinBinding {
public:
    // control: the control that draws with the copy. drawsWhileLoading: whether the control may
    // count as skinned while it is still being read from its form's description.
    TSeSkinBinding(TControl& control, std::wstring objectName, bool drawsWhileLoading = true);
    ~TSeSkinBinding();
    TSeSkinBinding(const TSeSkinBinding&) = delete;
    TSeSkinBinding& operator=(const TSeSkinBinding&) = delete;

    TSeSkinEngine* Engine() const { return engine_; }
    // Stores the engine, then takes a fresh copy of the named object when the engine's skin is
    // usable (drops the copy otherwise) and repaints the control.
    void SetEngine(TSeSkinEngine* engine);
    // Takes effect at the next SetEngine or skin change.
    const std::wstring& ObjectName() const { return objectName_; }
    void SetObjectName(const std::wstring& name) { objectName_ = name; }

    // The private copy, or none.
    TSeSkinObject* Copy() const { return copy_.get(); }
    // True when the control draws through its copy now: it is not going (nor, for some controls,
    // being read), an engine is set, its skin is usable and holds the named object, and the copy
    // exists. Every drawing step asks this on its own.
    bool Skinned() const;
    // The descendant of the copy with that name (ignoring case), or none; none unless Skinned().
    TSeSkinObject* Part(std::wstring_view name) const;
    // Part(name), else the copy itself; none unless Skinned().
    TSeSkinObject* PartOrCopy(std::wstring_view name) const;

    // Handles the engine's announcement before a change (the copy is dropped) and the copy's repaint
    // request. True when message was one of them. The announcement after a change runs SetEngine
    // again, which TSeSkinned routes through the control's own setter.
    bool HandleMessage(TMessage& message);
    // Forgets an engine that is being freed.
    void Notification(TComponent* component, TOperation operation);

    // The engine holds a skin that controls may bind to, and the system does not ask for high
    // contrast, which the plain looks give.
    static bool Usable(const TSeSkinEngine* engine);

private:
    void DropCopy();

    TControl& control_;
    std::wstring objectName_;
    bool drawsWhileLoading_;
    TSeSkinEngine* engine_ = nullptr;
    std::unique_ptr<TSeSkinObject> copy_;
};

// The skin's "Frame" over a control of width x height; without a border it lies outside by its
// margins, so only its inside shows.
TRect SkinFrameRect(const TSeSkinObject& frame, bool bordered, int width, int height);
// Draws the skin's part "Frame" in state over the whole control as its border, when the skin has one.
void PaintSkinFrameBorder(const TSeSkinBinding& skin, TSeState state, TKsBitmap& surface, int width, int height);

// Adds the skin binding to a control class: SkinEngine, SkinObject and Version, the engine's
// messages, and the removal notice of the engine. A class drawing with the skin asks Skin() in
// every drawing step and falls back to TBase's drawing when it is not skinned.
template <typename TBase> class TSeSkinned : public TBase {
public:
    TSeSkinned(TComponent* owner, const wchar_t* objectName, bool drawsWhileLoading = true)
        : TBase(owner), skin_(*this, objectName, drawsWhileLoading)
    {
    }

    TSeSkinEngine* SkinEngine() const { return skin_.Engine(); }
    // Subclasses that pass the engine on to parts of their own wrap this; the skin change message
    // runs it again with the same engine.
    virtual void SetSkinEngine(TSeSkinEngine* engine)
    {
        skin_.SetEngine(engine);
        if (skin_.Copy()) SkinCopied(*skin_.Copy());
    }
    const std::wstring& SkinObject() const { return skin_.ObjectName(); }
    void SetSkinObject(const std::wstring& name) { skin_.SetObjectName(name); }
    std::wstring Version() const { return kSeSkinVersion; }

protected:
    const TSeSkinBinding& Skin() const { return skin_; }
    // Runs after a new copy was taken, for settings a control takes from its skin.
    virtual void SkinCopied(TSeSkinObject& copy) {}

    void WndProc(TMessage& message) override
    {
        if (message.Msg == CM_SKINCHANGED && skin_.Engine() &&
            message.LParam == reinterpret_cast<LPARAM>(skin_.Engine())) {
            SetSkinEngine(skin_.Engine());
            return;
        }
        // The copy is taken again from the skin scaled for the new DPI; the base scales the rest.
        if (message.Msg == CM_DPICHANGED && skin_.Engine()) SetSkinEngine(skin_.Engine());
        if (skin_.HandleMessage(message)) return;
        TBase::WndProc(message);
    }

    void Notification(TComponent* component, TOperation operation) override
    {
        TBase::Notification(component, operation);
        skin_.Notification(component, operation);
    }

private:
    TSeSkinBinding skin_;
};

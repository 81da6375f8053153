#pragma once

#include "skin/engine/KsSkinEngine.h"
#include "skinwin/KsMessages.h"

#include <string>

// The message dialog drawn through the skin: its buttons and frame are skinned and bound to
// SkinEngine.
class TSeSkinMessage : public TKsCustomMessage {
public:
    explicit TSeSkinMessage(TComponent* owner);

    TSeSkinEngine* SkinEngine() const { return engine_; }
    void SetSkinEngine(TSeSkinEngine* engine);
    std::wstring Version() const { return L"2.9.0"; }

    TKsCustomButton* CreateButton(TCustomForm* owner) override;
    TKsCustomForm* CreateFrame(TCustomForm* owner) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TSeSkinEngine* engine_ = nullptr;
};

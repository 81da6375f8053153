#include "skinwin/KsSkinMessages.h"

#include "skinctl/KsSkinButtons.h"
#include "skinwin/KsSkinForms.h"

TSeSkinMessage::TSeSkinMessage(TComponent* owner) : TKsCustomMessage(owner) {}

void TSeSkinMessage::SetSkinEngine(TSeSkinEngine* engine)
{
    if (engine_ == engine) return;
    if (engine_) RemoveFreeNotification(engine_);
    engine_ = engine;
    if (engine_) FreeNotification(engine_);
}

void TSeSkinMessage::Notification(TComponent* component, TOperation operation)
{
    TKsCustomMessage::Notification(component, operation);
    if (operation == opRemove && component == engine_) engine_ = nullptr;
}

TKsCustomButton* TSeSkinMessage::CreateButton(TCustomForm* owner)
{
    auto* button = new TSeSkinButton(owner);
    button->SetParent(owner);
    button->SetSkinEngine(engine_);
    return button;
}

TKsCustomForm* TSeSkinMessage::CreateFrame(TCustomForm* owner)
{
    auto* frame = new TSeSkinForm(owner);
    frame->SetSkinEngine(engine_);
    return frame;
}

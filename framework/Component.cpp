#include "framework/Component.h"

#include "framework/Exceptions.h"
#include "framework/Text.h"

#include <algorithm>

void TPersistent::Assign(const TPersistent&)
{
    throw EConvertError(L"Cannot assign");
}

TComponent::TComponent(TComponent* owner)
{
    if (!owner) return;
    owner->InsertComponent(this);
    // A component made while its owner is being read is part of that reading.
    loading_ = owner->loading_;
}

TComponent::~TComponent()
{
    Destroying();
    NotifyRemoval();
    // Owned components go in reverse order of creation.
    while (!components_.empty()) {
        TComponent* last = components_.back();
        components_.pop_back();
        last->owner_ = nullptr;
        delete last;
    }
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::wstring& name) { name_ = name; }

TComponent* TComponent::FindComponent(const std::wstring& name) const
{
    for (TComponent* c : components_)
        if (SameTextAscii(c->Name(), name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end()) return;
    components_.erase(it);
    component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    if (!other) return;
    std::erase(freeNotifies_, other);
    std::erase(other->freeNotifies_, this);
}

void TComponent::BeginLoading()
{
    loading_ = true;
    for (TComponent* c : components_) c->BeginLoading();
}

void TComponent::EndLoading()
{
    loading_ = false;
    Loaded();
    for (size_t i = 0; i < components_.size(); ++i) components_[i]->EndLoading();
}

void TComponent::Loaded() {}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove) std::erase(freeNotifies_, component);
    for (size_t i = 0; i < components_.size(); ++i)
        if (components_[i] != component) components_[i]->Notification(component, operation);
}

void TComponent::Destroying() { destroying_ = true; }

void TComponent::NotifyRemoval()
{
    // Each notified component drops its reference and removes itself from the list.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(other->freeNotifies_, this);
        other->Notification(this, opRemove);
    }
    if (owner_) owner_->Notification(this, opRemove);
}

#include "skinwin/KsItems.h"

#include "framework/Text.h"

#include <algorithm>

namespace {

// The container classes that live instances exist of, in the order of their first registration,
// each with its count of instances.
struct TContainerClass {
    TKsItemContainerRegistration::TRootOf RootOf;
    int Instances;
};
std::vector<TContainerClass>* containerClasses = nullptr;

} // namespace

TKsItemContainerRegistration::TKsItemContainerRegistration(TRootOf rootOf) : rootOf_(rootOf)
{
    if (!containerClasses) containerClasses = new std::vector<TContainerClass>;
    auto found = std::find_if(containerClasses->begin(), containerClasses->end(),
                              [&](const TContainerClass& c) { return c.RootOf == rootOf; });
    if (found != containerClasses->end())
        ++found->Instances;
    else
        containerClasses->push_back({rootOf, 1});
}

TKsItemContainerRegistration::~TKsItemContainerRegistration()
{
    auto found = std::find_if(containerClasses->begin(), containerClasses->end(),
                              [&](const TContainerClass& c) { return c.RootOf == rootOf_; });
    if (--found->Instances == 0) containerClasses->erase(found);
    if (containerClasses->empty()) {
        delete containerClasses;
        containerClasses = nullptr;
    }
}

TKsCustomItem::TKsCustomItem(TComponent* owner) : TComponent(owner) {}

TKsCustomItem::~TKsCustomItem()
{
    Destroying();
    ForgetPendingClicks(this);
    while (!items_.empty()) delete items_.back();
    if (parent_) parent_->Remove(this);
    if (images_) RemoveFreeNotification(images_);
}

int TKsCustomItem::IndexOf(const TKsCustomItem* item) const
{
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

TKsCustomItem* TKsCustomItem::Root()
{
    TKsCustomItem* root = this;
    while (root->parent_) root = root->parent_;
    return root;
}

void TKsCustomItem::Add(TKsCustomItem* item) { Insert(Count(), item); }

void TKsCustomItem::Insert(int index, TKsCustomItem* item)
{
    if (item->parent_) throw EKsItemError(L"Toolbar item already inserted");
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed();
}

void TKsCustomItem::Remove(TKsCustomItem* item)
{
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
}

void TKsCustomItem::Delete(int index)
{
    TKsCustomItem* item = items_.at(index);
    item->parent_ = nullptr;
    items_.erase(items_.begin() + index);
    // Scrolling windows never start past the end of a list that shrank.
    firstVisible_ = std::clamp(firstVisible_, 0, std::max(Count() - 1, 0));
    Changed();
}

TComponent* TKsCustomItem::ParentComponent() const
{
    if (!parent_) return container_;
    return parent_->container_ ? parent_->container_ : parent_;
}

void TKsCustomItem::SetParentComponent(TComponent* parent)
{
    if (parent_) parent_->Remove(this);
    if (!parent) return;
    if (auto* item = dynamic_cast<TKsCustomItem*>(parent)) {
        item->Add(this);
        return;
    }
    if (!containerClasses) return;
    for (auto it = containerClasses->rbegin(); it != containerClasses->rend(); ++it) {
        if (TKsCustomItem* root = it->RootOf(parent)) {
            root->Add(this);
            return;
        }
    }
}

void TKsCustomItem::Loaded()
{
    TComponent::Loaded();
    Changed();
}

bool TKsCustomItem::Announces() const { return !IsLoading() && !IsDestroying(); }

void TKsCustomItem::Changed()
{
    if (!Announces()) return;
    if (OnChange) OnChange(this);
    TKsCustomItem* root = Root();
    if (root != this && root->OnChange && !root->IsDestroying()) root->OnChange(this);
}

template <typename Value> void TKsCustomItem::SetAndAnnounce(Value& field, const Value& value)
{
    if (field == value) return;
    field = value;
    Changed();
}

void TKsCustomItem::SetCaption(const std::wstring& caption) { SetAndAnnounce(caption_, caption); }
void TKsCustomItem::SetChecked(bool checked) { SetAndAnnounce(checked_, checked); }
void TKsCustomItem::SetEnabled(bool enabled) { SetAndAnnounce(enabled_, enabled); }
void TKsCustomItem::SetVisible(bool visible) { SetAndAnnounce(visible_, visible); }
void TKsCustomItem::SetImageIndex(int index) { SetAndAnnounce(imageIndex_, index); }

TCustomImageList* TKsCustomItem::Images() const
{
    if (images_) return images_;
    const TKsCustomItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->images_;
}

void TKsCustomItem::SetImages(TCustomImageList* images)
{
    if (images_ == images) return;
    if (images_) RemoveFreeNotification(images_);
    images_ = images;
    if (images_) FreeNotification(images_);
    Changed();
}

void TKsCustomItem::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

void TKsCustomItem::ForEachInTree(const std::function<void(TKsCustomItem&)>& action)
{
    action(*this);
    for (TKsCustomItem* item : items_) item->ForEachInTree(action);
}

void TKsCustomItem::SetPopupBlend(bool blend)
{
    ForEachInTree([&](TKsCustomItem& item) { item.popupBlend_ = blend; });
}

void TKsCustomItem::SetPopupBlendValue(int value)
{
    ForEachInTree([&](TKsCustomItem& item) { item.popupBlendValue_ = value; });
}

void TKsCustomItem::SetPopupSettingsTree(const TKsPopupSettings& settings)
{
    ForEachInTree([&](TKsCustomItem& item) { item.popupSettings_ = settings; });
}

void TKsCustomItem::MarkFirstPopupTree()
{
    ForEachInTree([](TKsCustomItem& item) {
        item.animateFirstOnly_ = true;
        item.firstPopup_ = true;
    });
}

void TKsCustomItem::ClearFirstPopupTree()
{
    ForEachInTree([](TKsCustomItem& item) { item.firstPopup_ = false; });
}

void TKsCustomItem::SetOnToolbarTree(bool onToolbar)
{
    ForEachInTree([&](TKsCustomItem& item) { item.onToolbar_ = onToolbar; });
}

void TKsCustomItem::SetOwnerControlTree(TWinControl* control)
{
    ForEachInTree([&](TKsCustomItem& item) { item.ownerControl_ = control; });
}

void TKsCustomItem::SetBringToForegroundTree(bool value)
{
    ForEachInTree([&](TKsCustomItem& item) { item.bringToForeground_ = value; });
}

TKsCustomItem* TKsCustomItem::FindByAccelerator(wchar_t key) const
{
    for (TKsCustomItem* item : items_)
        if (item->visible_ && IsAccelerator(key, item->caption_)) return item;
    return nullptr;
}

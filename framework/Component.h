#pragma once

#include <string>
#include <vector>

// Base of everything that can be copied from another object of its kind.
class TPersistent {
public:
    virtual ~TPersistent() = default;
    // Copies the state of source; the base accepts nothing and raises EConvertError.
    virtual void Assign(const TPersistent& source);
};

enum TOperation { opInsert, opRemove };

// A named object with an owner. The owner frees what it owns when it is destroyed, in reverse
// order of creation. Components that refer to each other ask for removal notices
// (FreeNotification) so that a reference is dropped before the referenced component is freed.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::wstring& Name() const { return name_; }
    virtual void SetName(const std::wstring& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }
    // The owned component with this name (ignoring ASCII case), or none.
    TComponent* FindComponent(const std::wstring& name) const;

    // Moves an owned component to another owner (or to none).
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // Asks for a call of Notification(this component, opRemove) on other when this one is freed,
    // and the same the other way round.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    bool IsLoading() const { return loading_; }
    bool IsDestroying() const { return destroying_; }
    // Marks this component and the components it owns as being read from their description;
    // components made meanwhile with this owner start out loading as well.
    void BeginLoading();
    // Ends loading and runs Loaded on this component and then the components it owns, in order.
    void EndLoading();

protected:
    // Called once after the component's properties were read and references resolved.
    virtual void Loaded();
    // Another component is inserted or removed; the base passes removals on to owned components.
    virtual void Notification(TComponent* component, TOperation operation);
    // Destructors of derived classes call this first so that notifications see a component that is going.
    void Destroying();

private:
    void NotifyRemoval();

    std::wstring name_;
    int tag_ = 0;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    bool loading_ = false;
    bool destroying_ = false;
};

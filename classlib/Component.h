#pragma once
#include "classlib/Persistent.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

enum class TComponentStateFlag {
    csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
    csFreeNotification, csInline, csDesignInstance
};
using enum TComponentStateFlag;
using TComponentState = TSet<TComponentStateFlag>;

class TBasicAction;

enum class TOperation { opInsert, opRemove };
using enum TOperation;

// A named object owned by another: the owner frees what it owns, and every component that refers to another
// hears of its removal (its owner's components through Notification, others through FreeNotification).
class TComponent : public TPersistent {
    VMR_CLASS(TComponent, TPersistent)

public:
    ~TComponent() override;
    static void PublishProperties(TPublisher<TComponent>& p);

    TComponent* Owner() const { return FOwner; }
    // Owned components in creation order.
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int index) const;
    std::span<TComponent* const> ComponentList() const { return FComponents; }
    int ComponentIndex() const;
    TComponent* FindComponent(std::string_view name) const;

    const std::string& Name() const { return FName; }
    // A valid identifier (or empty), unique among the owner's components regardless of case.
    virtual void SetName(const std::string& name);
    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t tag) { FTag = tag; }
    TComponentState ComponentState() const { return FComponentState; }
    // A designer's switch for the form it edits: the component, and with `setChildren` what it owns, design
    // rather than run. A component made or inserted into a designing owner designs too.
    void SetDesigning(bool value, bool setChildren = true);
    // A weak mark that expires once the component's own part is destroyed: code that runs after a handler
    // that may free its sender, or another component it holds, checks it.
    std::weak_ptr<const bool> AliveMark() const { return FAlive; }

    // Takes the component over and tells this owner's components of it.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees the owned components, the last created first.
    void DestroyComponents();
    // Marks this component and everything it owns as being destroyed.
    void Destroying();

    // Both components hear of each other's destruction, whatever their owners.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Run by NewComponent once the new component is whole: its owner's components hear of its insertion
    // then, so that they see what it is.
    void AnnounceInsertion();

    // Run by the layout reader once every component of the layout has its properties and references.
    virtual void Loaded();
    // The layout reader tells each nested component the component it is nested in; controls take it as
    // their parent. Components without a parent ignore it.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const { return nullptr; }

    // An action being executed or updated is offered to components: true when this one acted on a target
    // that the action handles (by default itself).
    virtual bool ExecuteAction(TBasicAction* action);
    virtual bool UpdateAction(TBasicAction* action);

protected:
    explicit TComponent(TComponent* owner);
    // Sent to the owner and, through it, to every component it owns; an override calls the inherited one.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    friend class TLayoutReader;
    void ValidateRename(const TComponent* component, std::string_view newName) const;
    // Keeps the owner's published field of this component's name pointing at it.
    void SetReference(bool enable);
    void CheckReference(const TComponent& owner, const std::string& name) const;
    void RemoveFreeNotifications();
    // Takes the component over without telling anyone.
    void Adopt(TComponent* component);

    std::shared_ptr<const bool> FAlive = std::make_shared<const bool>(true);
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    intptr_t FTag = 0;
    TComponentState FComponentState;
};

// Creates a component: the constructor, the owner's notification of the insertion, then AfterConstruction on
// the complete object. The owner, when given, owns the result; otherwise the caller does.
template <class T>
T* NewComponent(TComponent* owner) {
    std::unique_ptr<T> component(new T(owner));
    component->AnnounceInsertion();
    component->AfterConstruction();
    return component.release();
}

// Makes a class known by name to layouts and CreateComponent.
template <class T>
void RegisterClass() {
    TClassInfo& info = T::StaticClassInfo();
    if constexpr (!std::is_abstract_v<T>) {
        info.SetFactory([](TComponent* owner) -> TComponent* { return NewComponent<T>(owner); });
    }
    RegisterClassInfo(info);
}

// Creates a component of a registered class by name; raises EComponentError "Class X not found".
TComponent* CreateComponent(std::string_view className, TComponent* owner);

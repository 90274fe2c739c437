#include "classlib/Component.h"

#include "classlib/Actions.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <algorithm>

namespace {
void EraseOne(std::vector<TComponent*>& list, TComponent* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) list.erase(it);
}

void AddOnce(std::vector<TComponent*>& list, TComponent* item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}
} // namespace

void TComponent::PublishProperties(TPublisher<TComponent>& p) {
    p.String("Name", &TComponent::FName, &TComponent::SetName);
    p.Integer("Tag", &TComponent::FTag, &TComponent::SetTag);
}

// The owner's components hear of the new one only once it is whole (AnnounceInsertion).
TComponent::TComponent(TComponent* owner) {
    if (owner) owner->Adopt(this);
}

TComponent::~TComponent() {
    // The derived parts are gone: nothing reached through a mark may use them now.
    FAlive.reset();
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return FComponents[size_t(index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& list = FOwner->FComponents;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents) {
        if (SameText(c->FName, name)) return c;
    }
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == FName) return;
    if (!name.empty() && !IsValidIdent(name)) {
        throw EComponentError("'" + name + "' is not a valid component name");
    }
    if (FOwner) {
        FOwner->ValidateRename(this, name);
        CheckReference(*FOwner, name);
    }
    SetReference(false);
    FName = name;
    SetReference(true);
}

void TComponent::ValidateRename(const TComponent* component, std::string_view newName) const {
    TComponent* existing = FindComponent(newName);
    if (existing && existing != component) {
        throw EComponentError("A component named " + std::string(newName) + " already exists");
    }
}

void TComponent::CheckReference(const TComponent& owner, const std::string& name) const {
    const TFieldInfo* field = owner.ClassInfo().FindField(name);
    if (field && !InheritsFrom(field->FieldClass())) {
        throw EComponentError("Field " + owner.ClassName() + "." + field->Name + " holds a " +
                              field->FieldClass().Name() + ", not a " + ClassName());
    }
}

void TComponent::SetReference(bool enable) {
    // An owner being destroyed has lost its fields already: its own destructors have run.
    if (!FOwner || FName.empty() || FOwner->FComponentState.Contains(csDestroying)) return;
    if (const TFieldInfo* field = FOwner->ClassInfo().FindField(FName)) field->Set(*FOwner, enable ? this : nullptr);
}

void TComponent::Adopt(TComponent* component) {
    ValidateRename(component, component->FName);
    component->CheckReference(*this, component->FName);
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    component->FOwner = this;
    FComponents.push_back(component);
    component->SetReference(true);
    if (FComponentState.Contains(csDesigning)) component->SetDesigning(true);
}

void TComponent::InsertComponent(TComponent* component) {
    Adopt(component);
    Notification(component, opInsert);
}

void TComponent::AnnounceInsertion() {
    if (FOwner) FOwner->Notification(this, opInsert);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
    if (value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (!setChildren) return;
    for (TComponent* c : FComponents)
        c->SetDesigning(value);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component->FOwner != this) return;
    Notification(component, opRemove);
    component->SetReference(false);
    EraseOne(FComponents, component);
    component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) delete FComponents.back();
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    AddOnce(FFreeNotifies, component);
    AddOnce(component->FFreeNotifies, this);
    FComponentState.Include(csFreeNotification);
    component->FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    EraseOne(FFreeNotifies, component);
    if (component) EraseOne(component->FFreeNotifies, this);
}

void TComponent::RemoveFreeNotifications() {
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        EraseOne(other->FFreeNotifies, this);
        // A component of the same owner hears of the removal from the owner; it is not told twice.
        if (!FOwner || other->FOwner != FOwner) other->Notification(this, opRemove);
    }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // A handler may free components of this owner: walk down and stay inside the list.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount()) {
            i = ComponentCount();
            continue;
        }
        FComponents[size_t(i)]->Notification(component, operation);
    }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

bool TComponent::ExecuteAction(TBasicAction* action) {
    if (!action->HandlesTarget(this)) return false;
    action->ExecuteTarget(this);
    return true;
}

bool TComponent::UpdateAction(TBasicAction* action) {
    if (!action->HandlesTarget(this)) return false;
    action->UpdateTarget(this);
    return true;
}

void TComponent::SetParentComponent(TComponent*) {}

TComponent* CreateComponent(std::string_view className, TComponent* owner) {
    TClassInfo* info = GetClass(className);
    if (!info || !info->Factory()) throw EComponentError("Class " + std::string(className) + " not found");
    return info->Factory()(owner);
}

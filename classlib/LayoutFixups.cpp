#include "classlib/LayoutFixups.h"

#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <algorithm>
#include <exception>

void TReferenceFixup::Resolve(TComponent& targetRoot) const {
    auto where = LayoutName + "(" + std::to_string(Line) + "): ";
    TComponent* target = ComponentName.empty() ? &targetRoot : targetRoot.FindComponent(ComponentName);
    std::string label = Instance->ClassName() + "." + Prop->Name;
    if (!target) {
        throw EReadError(where + "unknown component " + (FormName.empty() ? "" : FormName + ".") + ComponentName +
                         " for " + label);
    }
    try {
        Prop->SetObjectValue(*Instance, target);
    } catch (const Exception& e) {
        throw EReadError(where + label + ": " + e.Message());
    }
}

TLayoutFixups& TLayoutFixups::Global() {
    // Never freed: roots may outlive any static destructor.
    static TLayoutFixups* fixups = NewComponent<TLayoutFixups>(nullptr);
    return *fixups;
}

TComponent* TLayoutFixups::FindRoot(std::string_view name) const {
    auto it = std::find_if(FRoots.begin(), FRoots.end(), [name](TComponent* r) { return SameText(r->Name(), name); });
    return it == FRoots.end() ? nullptr : *it;
}

void TLayoutFixups::AddPending(const TReferenceFixup& fixup) {
    FreeNotification(fixup.Holder);
    FreeNotification(fixup.Root);
    FPending.push_back(fixup);
}

void TLayoutFixups::AddRoot(TComponent& root) {
    if (std::find(FRoots.begin(), FRoots.end(), &root) == FRoots.end()) {
        FRoots.push_back(&root);
        FreeNotification(&root);
    }
    std::vector<TReferenceFixup> ready;
    auto isReady = [&root](const TReferenceFixup& f) { return SameText(f.FormName, root.Name()); };
    std::copy_if(FPending.begin(), FPending.end(), std::back_inserter(ready), isReady);
    std::erase_if(FPending, isReady);
    std::exception_ptr failure;
    for (const TReferenceFixup& f : ready) {
        try {
            f.Resolve(root);
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

void TLayoutFixups::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    std::erase(FRoots, component);
    std::erase_if(FPending, [component](const TReferenceFixup& f) {
        return f.Holder == component || f.Root == component;
    });
}

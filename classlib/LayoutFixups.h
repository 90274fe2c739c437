#pragma once
#include "classlib/Component.h"

#include <string>
#include <vector>

// A reference property that a layout names: set once its target exists.
struct TReferenceFixup {
    std::string LayoutName;
    int Line = 0;
    TComponent* Root = nullptr;   // the root of the layout that holds the reference
    TComponent* Holder = nullptr; // the component whose block holds the property
    TObject* Instance = nullptr;  // the holder, one of its nested objects, or an item of its collections
    const TPropInfo* Prop = nullptr;
    std::string FormName;         // the root to look in; empty for the holder's own root
    std::string ComponentName;    // empty for the root itself

    // Sets the property to the named component of targetRoot; raises EReadError naming the layout and line.
    void Resolve(TComponent& targetRoot) const;
};

// The roots that layouts have made, by name, and the references to roots not made yet. A reference to
// "FrmMain.ADOQrySel" read before FrmMain exists is set when a layout makes FrmMain.
class TLayoutFixups : public TComponent {
    VMR_CLASS(TLayoutFixups, TComponent)

public:
    static TLayoutFixups& Global();

    // nullptr when no root of that name exists.
    TComponent* FindRoot(std::string_view name) const;
    void AddPending(const TReferenceFixup& fixup);
    // Makes the root known and sets the pending references to it. All are tried; the first failure is raised.
    void AddRoot(TComponent& root);
    size_t PendingCount() const { return FPending.size(); }

protected:
    using TComponent::TComponent;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TComponent*> FRoots;
    std::vector<TReferenceFixup> FPending;
};

#pragma once
#include "classlib/Object.h"

// An object that can copy another's state: Assign asks the source to AssignTo this object.
class TPersistent : public TObject {
    VMR_CLASS(TPersistent, TObject)

public:
    // A class that cannot take the source raises EConvertError "Cannot assign a X to a Y".
    virtual void Assign(const TPersistent* source);
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    TPersistent() = default;
    virtual void AssignTo(TPersistent* dest) const;
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

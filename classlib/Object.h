#pragma once
#include "classlib/TypInfo.h"

#include <functional>
#include <string>

class TObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;

// The root of the class library: type information and the second phase of construction.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    const std::string& ClassName() const { return ClassInfo().Name(); }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }

    // Runs right after the most-derived constructor (NewComponent does it), so virtual calls made here reach
    // the overrides of the class being created, as the original's constructors did.
    virtual void AfterConstruction() {}
};

#pragma once
#include "classlib/Component.h"

// Points a reference of `holder` at another component, so that the holder hears of that component's
// destruction (its Notification then clears the reference) and the old target no longer tells it.
template <class T> void SetComponentReference(TComponent& holder, T*& reference, T* value) {
    if (reference == value) return;
    if (reference) holder.RemoveFreeNotification(reference);
    reference = value;
    if (reference) reference->FreeNotification(&holder);
}

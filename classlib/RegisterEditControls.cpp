#include "classlib/RegisterEditControls.h"

#include "classlib/Memo.h"

void RegisterEditControlsClasses() {
    RegisterClass<TCustomEdit>();
    RegisterClass<TEdit>();
    RegisterClass<TCustomMemo>();
    RegisterClass<TMemo>();
}

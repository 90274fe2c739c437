#include "classlib/RegisterEditControls.h"

#include "classlib/ComboBox.h"
#include "classlib/Memo.h"

void RegisterEditControlsClasses() {
    RegisterClass<TCustomEdit>();
    RegisterClass<TEdit>();
    RegisterClass<TCustomMemo>();
    RegisterClass<TMemo>();
    RegisterClass<TComboEdit>();
    RegisterClass<TCustomComboBox>();
    RegisterClass<TComboBox>();
}

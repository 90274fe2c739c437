#include "classlib/dbctrls/RegisterDataControls.h"

#include "classlib/dbctrls/DBCtrlGrid.h"
#include "classlib/dbctrls/DBText.h"

void RegisterDataControls() {
    RegisterClass<TDBCtrlPanel>();
    RegisterClass<TDBCtrlGrid>();
    RegisterClass<TDBText>();
}

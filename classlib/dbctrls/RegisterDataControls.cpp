#include "classlib/dbctrls/RegisterDataControls.h"

#include "classlib/dbctrls/DBCtrlGrid.h"
#include "classlib/dbctrls/DBEdit.h"
#include "classlib/dbctrls/DBLookupListBox.h"
#include "classlib/dbctrls/DBMemo.h"
#include "classlib/dbctrls/DBText.h"

void RegisterDataControls() {
    RegisterClass<TDBCtrlPanel>();
    RegisterClass<TDBCtrlGrid>();
    RegisterClass<TDBText>();
    RegisterClass<TDBEdit>();
    RegisterClass<TDBMemo>();
    RegisterClass<TDBLookupListBox>();
}

#include "skin/RegisterSkin.h"

#include "SkinResources.h"
#include "skin/TAVCheckBox.h"
#include "skin/TAVDBCtrls.h"
#include "skin/TAVForm.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"

void RegisterSkinClasses() {
    RegisterResources_Skin();
    RegisterClass<TtavFileTheme>();
    RegisterClass<TtavForm>();
    RegisterClass<TtavCheckBox>();
    RegisterClass<TtavDBCheckBox>();
    RegisterClass<TtavDBEdit>();
    RegisterClass<TtavDBMemo>();
    RegisterClass<TtavDBLookupListBox>();
    InitWin95BuildFlag();
}

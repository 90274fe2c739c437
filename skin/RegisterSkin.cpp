#include "skin/RegisterSkin.h"

#include "SkinResources.h"
#include "skin/TAVForm.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"

void RegisterSkinClasses() {
    RegisterResources_Skin();
    RegisterClass<TtavFileTheme>();
    RegisterClass<TtavForm>();
    InitWin95BuildFlag();
}

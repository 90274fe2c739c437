#include "skin/RegisterSkin.h"

#include "SkinResources.h"
#include "skin/TAVForm.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVMemo.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"
#include "skin/TAVTitleBar.h"
#include "skin/TAVURLLabel.h"

void RegisterSkinClasses() {
    RegisterResources_Skin();
    RegisterClass<TtavFileTheme>();
    RegisterClass<TtavForm>();
    RegisterClass<TtavTitleBar>();
    RegisterClass<TtavTitleBarPopupMenu>();
    RegisterClass<TtavPanel>();
    RegisterClass<TtavMemo>();
    RegisterClass<TtavURLLabel>();
    InitWin95BuildFlag();
}

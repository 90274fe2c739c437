#include "skin/RegisterSkin.h"

#include "SkinResources.h"
#include "skin/TAVButton.h"
#include "skin/TAVComboBox.h"
#include "skin/TAVForm.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPopupMenu.h"
#include "skin/TAVPublic.h"

void RegisterSkinClasses() {
    RegisterResources_Skin();
    RegisterClass<TtavFileTheme>();
    RegisterClass<TtavForm>();
    RegisterClass<TtavCustomButton>();
    RegisterClass<TtavButton>();
    RegisterClass<TtavCustomComboBox>();
    RegisterClass<TtavComboBox>();
    RegisterClass<TtavPopupMenu>();
    InitWin95BuildFlag();
}

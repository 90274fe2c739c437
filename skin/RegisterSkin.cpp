#include "skin/RegisterSkin.h"

#include "SkinResources.h"
#include "skin/TAVButton.h"
#include "skin/TAVComboBox.h"
#include "skin/TAVCheckBox.h"
#include "skin/TAVDBCtrls.h"
#include "skin/TAVForm.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVMainMenu.h"
#include "skin/TAVMemo.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPopupMenu.h"
#include "skin/TAVPublic.h"
#include "skin/TAVScrollBar.h"
#include "skin/TAVTitleBar.h"
#include "skin/TAVTrackBar.h"
#include "skin/TAVURLLabel.h"

void RegisterSkinClasses() {
    RegisterResources_Skin();
    RegisterClass<TtavFileTheme>();
    RegisterClass<TtavForm>();
    RegisterClass<TtavTitleBar>();
    RegisterClass<TtavTitleBarPopupMenu>();
    RegisterClass<TtavPanel>();
    RegisterClass<TtavCustomPanel>();
    RegisterClass<TtavImagePanel>();
    RegisterClass<TtavMemo>();
    RegisterClass<TtavURLLabel>();
    RegisterClass<TtavCustomButton>();
    RegisterClass<TtavButton>();
    RegisterClass<TtavImageButton>();
    RegisterClass<TtavCustomComboBox>();
    RegisterClass<TtavComboBox>();
    RegisterClass<TtavPopupMenu>();
    RegisterClass<TtavMainMenu>();
    RegisterClass<TtavCheckBox>();
    RegisterClass<TtavDBCheckBox>();
    RegisterClass<TtavDBEdit>();
    RegisterClass<TtavDBMemo>();
    RegisterClass<TtavDBLookupListBox>();
    RegisterClass<TtavTrackBar>();
    RegisterClass<TtavScrollTrackBar>();
    RegisterClass<TtavScrollBar>();
    InitWin95BuildFlag();
}

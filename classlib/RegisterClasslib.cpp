#include "classlib/RegisterClasslib.h"

#include "classlib/Component.h"
#include "classlib/RegisterControls.h"
#include "classlib/RegisterEditControls.h"
#include "classlib/RegisterGraphics.h"
#include "classlib/RegisterListBoxes.h"
#include "classlib/RegisterMenus.h"
#include "classlib/RegisterStaticControls.h"
#include "classlib/RegisterToolBars.h"
#include "classlib/data/RegisterData.h"
#include "classlib/dbctrls/RegisterDataControls.h"

void RegisterClasslibClasses() {
    RegisterClass<TComponent>();
    RegisterGraphicsClasses();
    RegisterControlsClasses();
    RegisterMenuClasses();
    RegisterStaticControlsClasses();
    RegisterListBoxClasses();
    RegisterToolBarClasses();
    RegisterDataClasses();
    RegisterEditControlsClasses();
    RegisterDataControls();
}

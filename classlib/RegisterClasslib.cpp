#include "classlib/RegisterClasslib.h"

#include "classlib/Component.h"
#include "classlib/RegisterEditControls.h"
#include "classlib/RegisterGraphics.h"
#include "classlib/RegisterStdControlsA.h"
#include "classlib/data/RegisterData.h"
#include "classlib/dbctrls/RegisterDataControls.h"

void RegisterClasslibClasses() {
    RegisterClass<TComponent>();
    RegisterGraphicsClasses();
    RegisterStdControlsA();
    RegisterDataClasses();
    RegisterEditControlsClasses();
    RegisterDataControls();
}

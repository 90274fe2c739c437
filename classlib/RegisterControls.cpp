#include "classlib/RegisterControls.h"

#include "classlib/CustomControl.h"
#include "classlib/Forms.h"
#include "classlib/Timer.h"

void RegisterControlsClasses() {
    RegisterClass<TControl>();
    RegisterClass<TWinControl>();
    RegisterClass<TGraphicControl>();
    RegisterClass<TCustomControl>();
    RegisterClass<TCustomForm>();
    RegisterClass<TForm>();
    RegisterClass<TTimer>();
}

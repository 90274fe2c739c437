#include "classlib/RegisterControls.h"

#include "classlib/Actions.h"
#include "classlib/CustomControl.h"
#include "classlib/Forms.h"
#include "classlib/HintWindow.h"
#include "classlib/Timer.h"

void RegisterControlsClasses() {
    RegisterClass<TControl>();
    RegisterClass<TWinControl>();
    RegisterClass<TGraphicControl>();
    RegisterClass<TCustomControl>();
    RegisterClass<TCustomForm>();
    RegisterClass<TForm>();
    RegisterClass<TTimer>();
    RegisterClass<THintWindow>();
    RegisterClass<TBasicAction>();
    RegisterClass<TCustomAction>();
    RegisterClass<TAction>();
    RegisterClass<TActionList>();
}

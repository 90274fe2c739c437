#include "classlib/RegisterStaticControls.h"

#include "classlib/Image.h"
#include "classlib/Label.h"
#include "classlib/PageControl.h"
#include "classlib/Panel.h"

void RegisterStaticControlsClasses() {
    RegisterClass<TCustomLabel>();
    RegisterClass<TLabel>();
    RegisterClass<TCustomPanel>();
    RegisterClass<TPanel>();
    RegisterClass<TImage>();
    RegisterClass<TPageControl>();
    RegisterClass<TTabSheet>();
}

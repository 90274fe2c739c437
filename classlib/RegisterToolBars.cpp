#include "classlib/RegisterToolBars.h"

#include "classlib/ToolBar.h"

void RegisterToolBarClasses() {
    RegisterClass<TToolBar>();
    RegisterClass<TToolButton>();
}

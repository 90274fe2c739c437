#include "classlib/RegisterStdControlsA.h"

#include "classlib/Image.h"
#include "classlib/Label.h"
#include "classlib/ListBox.h"
#include "classlib/PageControl.h"
#include "classlib/Panel.h"
#include "classlib/ToolBar.h"

void RegisterStdControlsA() {
    RegisterClass<TCustomLabel>();
    RegisterClass<TLabel>();
    RegisterClass<TCustomPanel>();
    RegisterClass<TPanel>();
    RegisterClass<TImage>();
    RegisterClass<TCustomListBox>();
    RegisterClass<TListBox>();
    RegisterClass<TToolBar>();
    RegisterClass<TPageControl>();
    RegisterClass<TTabSheet>();
    RegisterClass<TToolButton>();
}

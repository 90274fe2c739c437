#include "classlib/RegisterMenus.h"

#include "classlib/Menus.h"

void RegisterMenuClasses() {
    RegisterClass<TMenuItem>();
    RegisterClass<TMainMenu>();
    RegisterClass<TPopupMenu>();
}

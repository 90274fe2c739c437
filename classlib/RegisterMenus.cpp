#include "classlib/RegisterMenus.h"

#include "classlib/Controls.h"
#include "classlib/Menus.h"

void RegisterMenuClasses() {
    RegisterClass<TMenuItem>();
    RegisterClass<TMainMenu>();
    RegisterClass<TPopupMenu>();
    // A control's right click shows its popup menu at the pointer.
    SetPopupPresenter([](TComponent* menu, TPoint screen) {
        if (auto* popup = dynamic_cast<TPopupMenu*>(menu); popup && popup->AutoPopup())
            popup->Popup(screen.X, screen.Y);
    });
}

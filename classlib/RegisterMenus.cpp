#include "classlib/RegisterMenus.h"

#include "classlib/Controls.h"
#include "classlib/Menus.h"

void RegisterMenuClasses() {
    RegisterClass<TMenuItem>();
    RegisterClass<TMainMenu>();
    RegisterClass<TPopupMenu>();
    // A control's right click shows its popup menu at the pointer, for that control.
    SetPopupPresenter([](TControl* control, TComponent* menu, TPoint screen) {
        auto* popup = dynamic_cast<TPopupMenu*>(menu);
        if (!popup || !popup->AutoPopup()) return;
        popup->SetPopupComponent(control);
        popup->Popup(screen.X, screen.Y);
    });
}

#include "classlib/Menus.h"

#include "classlib/ImageList.h"
#include "classlib/MenuWindow.h"

namespace {

// The enabled item with the shortcut, its parents enabled too, searched depth first.
TMenuItem* FindShortCut(TMenuItem& parent, TShortCut shortCut) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Enabled()) continue;
        if (item->ShortCut() == shortCut) return item;
        if (TMenuItem* found = FindShortCut(*item, shortCut)) return found;
    }
    return nullptr;
}

} // namespace

void TMenu::PublishProperties(TPublisher<TMenu>& p) {
    p.Enum("AutoHotkeys", &TMenu::FAutoHotkeys, &TMenu::SetAutoHotkeys, maAutomatic);
    p.Enum("AutoLineReduction", &TMenu::FAutoLineReduction, &TMenu::SetAutoLineReduction, maAutomatic);
    p.Component("Images", &TMenu::FImages, &TMenu::SetImages);
    p.Boolean("OwnerDraw", &TMenu::FOwnerDraw, &TMenu::SetOwnerDraw);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(NewComponent<TMenuItem>(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    FItems->FMenu = nullptr; // the items leaving now change no menu
    delete FItems;
}

void TMenu::SetImages(TImageList* value) {
    if (FImages == value) return;
    if (FImages) RemoveFreeNotification(FImages);
    FImages = value;
    if (FImages) FreeNotification(FImages);
    MenuChanged(this, nullptr, false);
}

void TMenu::SetAutoLineReduction(TMenuAutoFlag value) {
    if (FAutoLineReduction == value) return;
    FAutoLineReduction = value;
    MenuChanged(this, nullptr, false);
}

void TMenu::SetOwnerDraw(bool value) {
    if (FOwnerDraw == value) return;
    FOwnerDraw = value;
    MenuChanged(this, nullptr, false);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FImages) SetImages(nullptr);
}

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const {
    return shortCut == scNone ? nullptr : FindShortCut(*FItems, shortCut);
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    TMenuItem* item = FindItemByShortCut(::ShortCut(key, shift));
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::Loaded() {
    inherited::Loaded();
    MenuChanged(this, nullptr, true);
}

void TMenu::ItemChanged(TMenuItem* source, bool rebuild) {
    MenuChanged(this, source, rebuild);
}

void TMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    TComponentState state = ComponentState();
    if (state.Contains(csLoading) || state.Contains(csDestroying) || !OnChange) return;
    TMenuChangeEvent handler = OnChange;
    handler(Sender, Source, Rebuild);
}

void TMainMenu::PublishProperties(TPublisher<TMainMenu>& p) {
    p.Event("OnChange", &TMainMenu::OnChange);
}

void TPopupMenu::PublishProperties(TPublisher<TPopupMenu>& p) {
    p.Enum("Alignment", &TPopupMenu::FAlignment, &TPopupMenu::SetAlignment, paLeft);
    p.Boolean("AutoPopup", &TPopupMenu::FAutoPopup, &TPopupMenu::SetAutoPopup, true);
    p.Event("OnPopup", &TPopupMenu::OnPopup);
}

void TPopupMenu::SetPopupComponent(TComponent* value) {
    if (FPopupComponent == value) return;
    if (FPopupComponent) RemoveFreeNotification(FPopupComponent);
    FPopupComponent = value;
    if (FPopupComponent) FreeNotification(FPopupComponent);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (!OnPopup) return;
    TNotifyEvent handler = OnPopup;
    handler(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
    FPopupPoint = {X, Y};
    DoPopup(this);
    if (TMenuItem* chosen = TrackMenu(*this, FPopupPoint, FAlignment)) PostMenuClick(chosen);
}

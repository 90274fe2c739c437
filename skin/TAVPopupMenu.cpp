#include "skin/TAVPopupMenu.h"

#include "classlib/ImageList.h"
#include "classlib/MenuItemLook.h"
#include "skin/TAVMgr.h"

const TImageList& CheckMarkImages() {
    static const std::unique_ptr<TImageList> images = NewCheckMarkImages();
    return *images;
}

TtavPopupMenu::TtavPopupMenu(TComponent* owner) : TPopupMenu(owner) {
    SetOwnerDraw(true);
}

void TtavPopupMenu::PublishProperties(TPublisher<TtavPopupMenu>& p) {
    // The menu always draws its items itself; a stored False changes nothing.
    p.Boolean(
         "OwnerDraw", [](const TtavPopupMenu&) { return true; }, [](TtavPopupMenu&, bool) {}, false)
        .Component("FileTheme", &TtavPopupMenu::FileTheme, &TtavPopupMenu::SetFileTheme)
        .Enum("UIStyle", &TtavPopupMenu::UIStyle, &TtavPopupMenu::SetUIStyle, TtavUIStyle::DeepBlue)
        .Integer("MenuItemHeight", &TtavPopupMenu::MenuItemHeight, &TtavPopupMenu::SetMenuItemHeight, 21)
        .Integer("SeparatorHeight", &TtavPopupMenu::SeparatorHeight, &TtavPopupMenu::SetSeparatorHeight, 21)
        .Boolean(
            "UseSystemFont", [](const TtavPopupMenu& m) { return m.Look().UseSystemFont; },
            [](TtavPopupMenu& m, bool v) { m.FLook.UseSystemFont = v; }, true);
    PublishMenuLookValues(p);
}

void TtavPopupMenu::AfterConstruction() {
    TPopupMenu::AfterConstruction();
    SetUIStyle(GetOwnerFormStyle(Owner()));
}

void TtavPopupMenu::Loaded() {
    TPopupMenu::Loaded();
    HookMenuItems();
}

void TtavPopupMenu::SetFileTheme(TtavFileTheme* value) {
    FLook.FileTheme = LinkFileTheme(this, FLook.FileTheme, value);
    SetUIStyle(FLook.UIStyle);
}

void TtavPopupMenu::SetMenuItemHeight(int value) {
    if (FLook.UIStyle != TtavUIStyle::MacOS) FLook.MenuItemHeight = value;
}

void TtavPopupMenu::SetSeparatorHeight(int value) {
    if (FLook.UIStyle != TtavUIStyle::MacOS) FLook.SeparatorHeight = value;
}

void TtavPopupMenu::Notification(TComponent* component, TOperation operation) {
    TPopupMenu::Notification(component, operation);
    if (operation != opRemove || component != FLook.FileTheme) return;
    FLook.FileTheme = nullptr;
    SetUIStyle(TtavUIStyle::DeepBlue);
}

void TtavPopupMenu::HookMenuItems() {
    // An item taken into another menu keeps these handlers: they serve only items of this menu, so that
    // such an item never reaches a menu that may have gone.
    const TMenuDrawItemEvent draw = [this](TObject* sender, TCanvas* canvas, TRect rect, bool selected) {
        auto* item = static_cast<TMenuItem*>(sender);
        if (item->GetParentMenu() == this)
            DrawSkinnedItem(sender, canvas, rect, selected);
        else
            DrawMenuItem(*item, *canvas, rect, selected);
    };
    const TMenuMeasureItemEvent measure = [this](TObject* sender, TCanvas* canvas, int& width, int& height) {
        if (static_cast<TMenuItem*>(sender)->GetParentMenu() == this)
            MeasureSkinnedItem(sender, canvas, width, height);
    };
    for (int i = 0; i < Items()->Count(); ++i)
        InstallMenuDrawHandlers(Items()->Items(i), draw, measure);
}

void TtavPopupMenu::MeasureSkinnedItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
    MeasureSkinnedMenuItem(FLook, static_cast<const TMenuItem&>(*Sender), *ACanvas, Width, Height);
}

void TtavPopupMenu::DrawSkinnedItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected) {
    DrawSkinnedMenuItem(FLook, CheckMarkImages(), Images(), static_cast<const TMenuItem&>(*Sender), *ACanvas,
                        ARect, Selected);
}

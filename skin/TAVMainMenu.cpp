#include "skin/TAVMainMenu.h"

#include "classlib/Forms.h"
#include "classlib/ImageList.h"
#include "classlib/MenuItemLook.h"
#include "skin/TAVForm.h"
#include "skin/TAVMgr.h"

TtavMainMenu::TtavMainMenu(TComponent* owner) : TMainMenu(owner), FCheckMarks(NewCheckMarkImages()) {
    TMainMenu::SetImages(FCheckMarks.get());
    ApplyMenuStyle(FLook, GetOwnerFormStyle(owner));
}

TtavMainMenu::~TtavMainMenu() {
    Destroying();
    TMainMenu::SetImages(nullptr);
    FCheckMarks.reset();
}

void TtavMainMenu::PublishProperties(TPublisher<TtavMainMenu>& p) {
    p.Component("Images", &TtavMainMenu::Images, &TtavMainMenu::SetImages)
        // The items are drawn by their handlers whatever a layout stores.
        .Boolean(
            "OwnerDraw", [](const TtavMainMenu&) { return true; }, [](TtavMainMenu&, bool) {}, false)
        .Component("FileTheme", &TtavMainMenu::FileTheme, &TtavMainMenu::SetFileTheme)
        .Enum("UIStyle", &TtavMainMenu::UIStyle, &TtavMainMenu::SetUIStyle, TtavUIStyle::DeepBlue)
        .Integer("MenuItemHeight", &TtavMainMenu::MenuItemHeight, &TtavMainMenu::SetMenuItemHeight, 21)
        .Integer("SeparatorHeight", &TtavMainMenu::SeparatorHeight, &TtavMainMenu::SetSeparatorHeight, 21)
        .Boolean("UseSystemFont", &TtavMainMenu::UseSystemFont, &TtavMainMenu::SetUseSystemFont, true);
    PublishMenuLookValues(p);
}

// A form shows the menu only through its frame: the form's own menu bar is taken away.
void TtavMainMenu::AfterConstruction() {
    TMainMenu::AfterConstruction();
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (!form) return;
    form->SetMenu(nullptr);
    for (int i = 0; i < form->ControlCount(); ++i)
        if (auto* frame = dynamic_cast<TtavForm*>(form->Controls(i))) return frame->SetMenu(this);
}

void TtavMainMenu::Loaded() {
    TMainMenu::Loaded();
    HookMenuItems();
    if (FFrame) FFrame->RebuildMenuBar();
}

TImageList* TtavMainMenu::Images() const {
    TImageList* images = TMainMenu::Images();
    return images == FCheckMarks.get() ? nullptr : images;
}

void TtavMainMenu::SetImages(TImageList* value) {
    TMainMenu::SetImages(value ? value : FCheckMarks.get());
}

void TtavMainMenu::SetFileTheme(TtavFileTheme* value) {
    FLook.FileTheme = LinkFileTheme(this, FLook.FileTheme, value);
    SetUIStyle(FLook.UIStyle);
}

void TtavMainMenu::SetMenuItemHeight(int value) {
    if (FLook.UIStyle != TtavUIStyle::MacOS) FLook.MenuItemHeight = value;
}

void TtavMainMenu::SetSeparatorHeight(int value) {
    if (FLook.UIStyle != TtavUIStyle::MacOS) FLook.SeparatorHeight = value;
}

void TtavMainMenu::SetUseSystemFont(bool value) {
    FLook.UseSystemFont = value;
    if (FFrame) FFrame->UpdateMenuBarFont();
}

void TtavMainMenu::Notification(TComponent* component, TOperation operation) {
    TMainMenu::Notification(component, operation);
    if (operation != opRemove || component != FLook.FileTheme) return;
    FLook.FileTheme = nullptr;
    SetUIStyle(TtavUIStyle::DeepBlue);
}

void TtavMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    TMainMenu::MenuChanged(Sender, Source, Rebuild);
    if (!FFrame || !dynamic_cast<TCustomForm*>(Owner())) return;
    FFrame->UpdateMenuBarItems();
    const TComponentState state = ComponentState();
    if (state.Contains(csDesigning) && !state.Contains(csLoading)) FFrame->RebuildMenuBar();
}

void TtavMainMenu::HookMenuItems() {
    // While a sub-menu is dropped down its items sit in the menu bar's own popup: the handlers stay with this
    // menu as long as it lives.
    const std::weak_ptr<const bool> alive = FAlive;
    const TMenuDrawItemEvent draw = [this, alive](TObject* sender, TCanvas* canvas, TRect rect, bool selected) {
        if (!alive.expired())
            DrawSkinnedItem(sender, canvas, rect, selected);
        else
            DrawMenuItem(*static_cast<TMenuItem*>(sender), *canvas, rect, selected);
    };
    const TMenuMeasureItemEvent measure = [this, alive](TObject* sender, TCanvas* canvas, int& width,
                                                        int& height) {
        if (!alive.expired()) MeasureSkinnedItem(sender, canvas, width, height);
    };
    for (int i = 0; i < Items()->Count(); ++i)
        InstallMenuDrawHandlers(Items()->Items(i), draw, measure);
}

void TtavMainMenu::MeasureSkinnedItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
    MeasureSkinnedMenuItem(FLook, static_cast<const TMenuItem&>(*Sender), *ACanvas, Width, Height);
}

void TtavMainMenu::DrawSkinnedItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected) {
    DrawSkinnedMenuItem(FLook, *FCheckMarks, Images(), static_cast<const TMenuItem&>(*Sender), *ACanvas, ARect,
                        Selected);
}

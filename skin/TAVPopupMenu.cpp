#include "skin/TAVPopupMenu.h"

#include "classlib/ImageList.h"
#include "classlib/MenuItemLook.h"
#include "skin/TAVMgr.h"

const TImageList& CheckMarkImages() {
    static const std::unique_ptr<TImageList> images = NewCheckMarkImages();
    return *images;
}

namespace {

// A published value of the menu's look that is only stored.
template <auto Member> auto LookGetter() {
    return [](const TtavPopupMenu& menu) { return menu.Look().*Member; };
}

} // namespace

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
        .Integer(
            "BarWidth", LookGetter<&TtavMenuLook::BarWidth>(),
            [](TtavPopupMenu& m, int v) { m.FLook.BarWidth = v; }, 0)
        .Color(
            "BarColor", LookGetter<&TtavMenuLook::BarColor>(),
            [](TtavPopupMenu& m, TColor v) { m.FLook.BarColor = v; }, clBtnFace)
        .Color(
            "Color", LookGetter<&TtavMenuLook::Color>(),
            [](TtavPopupMenu& m, TColor v) { m.FLook.Color = v; }, clWhite)
        .Color(
            "SeparatorColor", LookGetter<&TtavMenuLook::SeparatorColor>(),
            [](TtavPopupMenu& m, TColor v) { m.FLook.SeparatorColor = v; }, clGray)
        .Color(
            "SelectedBorderColor", LookGetter<&TtavMenuLook::SelectedBorderColor>(),
            [](TtavPopupMenu& m, TColor v) { m.FLook.SelectedBorderColor = v; }, clHighlight)
        .Color(
            "SelectedColor", LookGetter<&TtavMenuLook::SelectedColor>(),
            [](TtavPopupMenu& m, TColor v) { m.FLook.SelectedColor = v; }, clHighlight)
        .Color(
            "SelectedFontColor", LookGetter<&TtavMenuLook::SelectedFontColor>(),
            [](TtavPopupMenu& m, TColor v) { m.FLook.SelectedFontColor = v; }, clWhite)
        .Color(
            "FontColor", LookGetter<&TtavMenuLook::FontColor>(),
            [](TtavPopupMenu& m, TColor v) { m.FLook.FontColor = v; }, clWhite)
        .Color(
            "BorderColor", LookGetter<&TtavMenuLook::BorderColor>(),
            [](TtavPopupMenu& m, TColor v) { m.FLook.BorderColor = v; }, clBlack)
        .Boolean(
            "FlatMenu", LookGetter<&TtavMenuLook::FlatMenu>(),
            [](TtavPopupMenu& m, bool v) { m.FLook.FlatMenu = v; }, false)
        .String(
            "FontName", LookGetter<&TtavMenuLook::FontName>(),
            [](TtavPopupMenu& m, const std::string& v) { m.FLook.FontName = v; }, "MS Sans Serif")
        .Integer(
            "FontSize", LookGetter<&TtavMenuLook::FontSize>(),
            [](TtavPopupMenu& m, int v) { m.FLook.FontSize = v; }, 8)
        .Enum(
            "FontCharset", LookGetter<&TtavMenuLook::FontCharset>(),
            [](TtavPopupMenu& m, TFontCharset v) { m.FLook.FontCharset = v; }, DEFAULT_CHARSET)
        .Boolean(
            "UseSystemFont", LookGetter<&TtavMenuLook::UseSystemFont>(),
            [](TtavPopupMenu& m, bool v) { m.FLook.UseSystemFont = v; }, true);
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
    DrawSkinnedMenuItem(FLook, CheckMarkImages(), static_cast<const TMenuItem&>(*Sender), *ACanvas, ARect,
                        Selected);
}

#pragma once
#include "classlib/Menus.h"
#include "skin/TAVMenu.h"

class TImageList;

// The check mark that every skinned popup menu draws for a checked item without an image.
const TImageList& CheckMarkImages();

// The class library's popup menu drawn by its own items' handlers in the skin's styles: it holds the menu
// drawing values, fills them from the style whenever the style changes, and hooks every item once loaded.
class TtavPopupMenu : public TPopupMenu {
    VMR_CLASS(TtavPopupMenu, TPopupMenu)

  public:
    static void PublishProperties(TPublisher<TtavPopupMenu>& p);
    void AfterConstruction() override;
    void Loaded() override;

    const TtavMenuLook& Look() const { return FLook; }
    TtavMenuLook& LookValues() { return FLook; }
    TtavUIStyle UIStyle() const { return FLook.UIStyle; }
    void SetUIStyle(TtavUIStyle value) { ApplyMenuStyle(FLook, value); }
    TtavFileTheme* FileTheme() const { return FLook.FileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    int MenuItemHeight() const { return FLook.MenuItemHeight; }
    // MacOS keeps its own heights: the value is dropped.
    void SetMenuItemHeight(int value);
    int SeparatorHeight() const { return FLook.SeparatorHeight; }
    void SetSeparatorHeight(int value);

    // Gives every item of the menu, at any depth, this menu's measure and draw handlers; items added later
    // need another call.
    void HookMenuItems();
    void MeasureSkinnedItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
    void DrawSkinnedItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected);

  protected:
    explicit TtavPopupMenu(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TtavMenuLook FLook;
};

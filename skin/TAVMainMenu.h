#pragma once
#include "classlib/Menus.h"
#include "skin/TAVMenu.h"

#include <memory>

class TImageList;
class TtavForm;

// A main menu drawn in a skin style. It is never the form's own menu bar: a skinned frame shows its top-level
// items as the buttons of its menu bar, and the sub-menus that drop down from them are drawn by this menu's
// item handlers, with the popup menu's property set and drawing.
class TtavMainMenu : public TMainMenu {
    VMR_CLASS(TtavMainMenu, TMainMenu)

public:
    ~TtavMainMenu() override;
    static void PublishProperties(TPublisher<TtavMainMenu>& p);
    void AfterConstruction() override;
    void Loaded() override;

    const TtavMenuLook& Look() const { return FLook; }
    TtavMenuLook& LookValues() { return FLook; }
    // The user's image list; none while the menu draws from its own check-mark list.
    TImageList* Images() const;
    // None puts the own check-mark list back.
    void SetImages(TImageList* value);
    TtavUIStyle UIStyle() const { return FLook.UIStyle; }
    void SetUIStyle(TtavUIStyle value) { ApplyMenuStyle(FLook, value); }
    TtavFileTheme* FileTheme() const { return FLook.FileTheme; }
    void SetFileTheme(TtavFileTheme* value);
    int MenuItemHeight() const { return FLook.MenuItemHeight; }
    // MacOS keeps its own heights: the value is dropped.
    void SetMenuItemHeight(int value);
    int SeparatorHeight() const { return FLook.SeparatorHeight; }
    void SetSeparatorHeight(int value);
    bool UseSystemFont() const { return FLook.UseSystemFont; }
    // The frame showing the menu takes the new font for its bar.
    void SetUseSystemFont(bool value);

    // The frame that shows the menu; set and cleared by the frame.
    TtavForm* Frame() const { return FFrame; }
    void SetFrame(TtavForm* frame) { FFrame = frame; }

    // Gives every item, at any depth, this menu's measure and draw handlers; items added later keep the
    // class library's drawing.
    void HookMenuItems();
    void MeasureSkinnedItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
    void DrawSkinnedItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected);

protected:
    explicit TtavMainMenu(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;

private:
    std::unique_ptr<TImageList> FCheckMarks;
    std::shared_ptr<const bool> FAlive = std::make_shared<const bool>(true); // for the items' handlers
    TtavMenuLook FLook;
    TtavForm* FFrame = nullptr;
};

#pragma once
#include "classlib/Controls.h"
#include "classlib/MenuItem.h"

#include <memory>
#include <vector>

class TImageList;

enum class TPopupAlignment { paLeft, paRight, paCenter };
using enum TPopupAlignment;
VMR_ENUM_NAMES(TPopupAlignment, "paLeft", "paRight", "paCenter")

using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

// A tree of menu items under one root item (Items), with the image list its items draw from.
class TMenu : public TComponent {
    VMR_CLASS(TMenu, TComponent)

  public:
    ~TMenu() override;
    static void PublishProperties(TPublisher<TMenu>& p);

    TMenuItem* Items() const { return FItems; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    bool OwnerDraw() const { return FOwnerDraw; }
    virtual void SetOwnerDraw(bool value);
    // Whether the menu adds accelerator letters to captions without one. Captions keep their own "&" letters
    // in every mode; no letters are added.
    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag value) { FAutoHotkeys = value; }
    // Whether the menu's windows leave out separators that lead, trail or follow another: automatic (also
    // for maParent, there being no parent) or manual, unless an item decides for its own sub-items.
    TMenuAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
    void SetAutoLineReduction(TMenuAutoFlag value);
    // The items measure and draw themselves through their handlers: OwnerDraw, or an image list.
    bool IsOwnerDraw() const { return FOwnerDraw || FImages; }
    // Right to left mirrors the menu's windows and bars. Setting it switches ParentBiDiMode off.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    // Takes the BiDiMode of the control the menu belongs to (BiDiParent), now and whenever that one changes.
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    // The parent control's BiDiMode changed: taken when ParentBiDiMode is on.
    void ParentBiDiModeChanged();

    // Runs the enabled item (with enabled parents) whose ShortCut is the key with the modifiers; true when
    // one ran. Its handler may free the menu.
    bool IsShortCut(WORD key, TShiftState shift);
    TMenuItem* FindItemByShortCut(TShortCut shortCut) const;

    void AfterConstruction() override;
    void Loaded() override;

    // After any change of the menu or of an item (Source, or nullptr for the whole menu).
    TMenuChangeEvent OnChange;

  protected:
    explicit TMenu(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    // The menu-changed notification: fires OnChange; not while loading or being destroyed.
    virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);
    // A change of the whole menu that the bars showing it follow: the menu-changed notification, then
    // CM_MENUCHANGED (LParam: the menu) to the owner when that is a control.
    void WholeMenuChanged(bool rebuild);
    // The control whose BiDiMode the menu takes: the owner, when that is a control.
    virtual TControl* BiDiParent() const;
    void TakeParentBiDiMode();
    // Items moved by a merge tell the menus nothing one by one.
    bool FMoving = false;

  private:
    friend class TMenuItem;
    void ItemChanged(TMenuItem* source, bool rebuild);

    TMenuItem* FItems;
    TImageList* FImages = nullptr;
    bool FOwnerDraw = false;
    TMenuAutoFlag FAutoHotkeys = maAutomatic;
    TMenuAutoFlag FAutoLineReduction = maAutomatic;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
};

// The menu a form shows along its top; its top-level items drop their sub-items down. Another main menu can
// be merged into it: its top-level items then stand among this menu's while they stay that menu's own.
class TMainMenu : public TMenu {
    VMR_CLASS(TMainMenu, TMenu)

  public:
    ~TMainMenu() override;
    static void PublishProperties(TPublisher<TMainMenu>& p);

    // The menu of a form other than the main form is merged into the main form's menu while its form shows.
    // An MDI child's menu is merged while the child is the active one, whatever this says.
    bool AutoMerge() const { return FAutoMerge; }
    void SetAutoMerge(bool value);
    // Puts `menu`'s top-level items among this menu's by GroupIndex: each replaces the items of its group
    // and goes after the items of lower groups. One menu at a time: merging another first unmerges the one
    // merged; nullptr only unmerges.
    void Merge(TMainMenu* menu);
    // Gives the merged `menu` its items back and puts the replaced items back where they were; nothing when
    // `menu` is not the merged one.
    void Unmerge(TMainMenu* menu);
    TMainMenu* MergedMenu() const { return FMerged; }

  protected:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}

  private:
    // An item taken out of a menu by the merge, and its index there.
    struct TMovedItem {
        TMenuItem* Item;
        unsigned Command; // tells whether the item still exists
        int Index;
    };
    void MergeItems(TMainMenu* menu);
    void UnmergeItems();
    int MergeIndex(uint8_t groupIndex) const;
    static void PutBack(TMenuItem* parent, const std::vector<TMovedItem>& items);

    bool FAutoMerge = false;
    TMainMenu* FMerged = nullptr;     // the menu merged into this one
    TMainMenu* FMergedInto = nullptr; // the menu this one is merged into
    std::vector<TMovedItem> FMergedItems;
    std::vector<TMovedItem> FReplacedItems;
};

// A menu shown at a screen point, tracked until the user chooses an item or leaves it; the chosen item's
// click runs after Popup has returned.
class TPopupMenu : public TMenu {
    VMR_CLASS(TPopupMenu, TMenu)

  public:
    static void PublishProperties(TPublisher<TPopupMenu>& p);

    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }
    // Controls show the menu on a right click by themselves.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    // The component the menu was last shown for; cleared when it goes.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value);
    TPoint PopupPoint() const { return FPopupPoint; }

    // Fires OnPopup, shows the menu at the screen point as Alignment says, and tracks it modally.
    virtual void Popup(int X, int Y);

    TNotifyEvent OnPopup;

  protected:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    void Notification(TComponent* component, TOperation operation) override;
    // The control the menu is shown for, else the owner when that is a control.
    TControl* BiDiParent() const override;
    virtual void DoPopup(TObject* Sender);

  private:
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint;
};

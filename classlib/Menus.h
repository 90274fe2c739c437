#pragma once
#include "classlib/MenuItem.h"

#include <memory>

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

    // Runs the enabled item (with enabled parents) whose ShortCut is the key with the modifiers; true when
    // one ran. Its handler may free the menu.
    bool IsShortCut(WORD key, TShiftState shift);
    TMenuItem* FindItemByShortCut(TShortCut shortCut) const;

    void Loaded() override;

    // After any change of the menu or of an item (Source, or nullptr for the whole menu).
    TMenuChangeEvent OnChange;

  protected:
    explicit TMenu(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;
    // The menu-changed notification: fires OnChange; not while loading or being destroyed.
    virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);

  private:
    friend class TMenuItem;
    void ItemChanged(TMenuItem* source, bool rebuild);

    TMenuItem* FItems;
    TImageList* FImages = nullptr;
    bool FOwnerDraw = false;
    TMenuAutoFlag FAutoHotkeys = maAutomatic;
    TMenuAutoFlag FAutoLineReduction = maAutomatic;
};

// The menu a form shows along its top; its top-level items drop their sub-items down.
class TMainMenu : public TMenu {
    VMR_CLASS(TMainMenu, TMenu)

  public:
    static void PublishProperties(TPublisher<TMainMenu>& p);

  protected:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
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
    virtual void DoPopup(TObject* Sender);

  private:
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint;
};

#pragma once
#include "classlib/Actions.h"
#include "classlib/Component.h"
#include "classlib/ShortCut.h"
#include "platform/Exception.h"
#include "platform/Geometry.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TMenu;
class TMenuItem;

VMR_EXCEPTION_KIND(EMenuError, Exception)

// A menu's or an item's choice of an automatic behaviour; maParent leaves it to the item's parent.
enum class TMenuAutoFlag { maAutomatic, maManual, maParent };
using enum TMenuAutoFlag;
VMR_ENUM_NAMES(TMenuAutoFlag, "maAutomatic", "maManual", "maParent")

using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

// One command of a menu, or a sub-menu holding others, or (caption "-") a separator. Items are components of
// the form that holds the menu; an item frees its sub-items and leaves its parent when it goes.
class TMenuItem : public TComponent {
    VMR_CLASS(TMenuItem, TComponent)

  public:
    ~TMenuItem() override;
    static void PublishProperties(TPublisher<TMenuItem>& p);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool value);
    // The item that Enter on its parent's level means; drawn bold. One per level.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    uint8_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(uint8_t value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // A caption of exactly "-".
    bool IsLine() const { return FCaption == "-"; }
    // Whether the item's sub-menu leaves out redundant separators; maParent asks the parent item and, at the
    // root, the menu.
    TMenuAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
    void SetAutoLineReduction(TMenuAutoFlag value);
    // The sub-items a menu window shows: the visible ones, without separators that lead, trail or follow
    // another while lines are reduced.
    std::vector<TMenuItem*> ShownItems() const;
    // The item shows an action's caption, checked and enabled states, hint, image index and visibility, and
    // runs it when clicked without a handler of its own.
    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    void SetAction(TBasicAction* value);

    // Sub-items.
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int index) const;
    // Adding an item that already has a parent raises EMenuError.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Delete and Remove take the item out without freeing it; Clear frees every sub-item.
    void Delete(int index);
    void Remove(TMenuItem* item);
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    void SetMenuIndex(int value);
    // The menu whose tree holds the item, or nullptr.
    TMenu* GetParentMenu() const;
    // A number that names the item while it exists (0 is never one), for clicks posted to run later.
    unsigned Command() const { return FCommand; }
    // nullptr once the item is gone.
    static TMenuItem* FindByCommand(unsigned command);

    // Runs OnClick, or else the action, when the item is enabled. The handler may free the item and its menu.
    virtual void Click();
    // Size and drawing as a menu window shows the item: the handlers when the menu draws its items itself
    // (owner draw), else the platform's look. Measure receives the platform's size and may change it.
    virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
    virtual void DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected);

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

  protected:
    explicit TMenuItem(TComponent* owner);
    // Tells the menu that the item changed; `rebuild` when items came or went.
    virtual void MenuChanged(bool rebuild);
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TMenu;
    friend class TMenuActionLink;
    void ActionChange(TBasicAction* action);
    bool UsesHandlers() const;
    bool ReducesLines() const;
    void UncheckRadioSiblings();

    std::string FCaption;
    bool FChecked = false;
    bool FDefault = false;
    bool FEnabled = true;
    uint8_t FGroupIndex = 0;
    std::string FHint;
    int FImageIndex = -1;
    bool FRadioItem = false;
    TShortCut FShortCut = scNone;
    bool FVisible = true;
    TMenuAutoFlag FAutoLineReduction = maParent;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item only
    unsigned FCommand = 0;
    std::unique_ptr<TBasicActionLink> FActionLink;
};

#include "classlib/Menus.h"

#include "classlib/ImageList.h"
#include "classlib/MenuWindow.h"

#include <algorithm>

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
    p.Enum("BiDiMode", &TMenu::FBiDiMode, &TMenu::SetBiDiMode, bdLeftToRight);
    p.Boolean("ParentBiDiMode", &TMenu::FParentBiDiMode, &TMenu::SetParentBiDiMode, true);
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

void TMenu::SetBiDiMode(TBiDiMode value) {
    if (FBiDiMode == value && !FParentBiDiMode) return;
    FBiDiMode = value;
    FParentBiDiMode = false;
    WholeMenuChanged(false);
}

void TMenu::SetParentBiDiMode(bool value) {
    if (FParentBiDiMode == value) return;
    FParentBiDiMode = value;
    if (value) TakeParentBiDiMode();
}

void TMenu::ParentBiDiModeChanged() {
    if (FParentBiDiMode) TakeParentBiDiMode();
}

void TMenu::TakeParentBiDiMode() {
    TControl* parent = BiDiParent();
    if (!parent || parent->BiDiMode() == FBiDiMode) return;
    FBiDiMode = parent->BiDiMode();
    WholeMenuChanged(false);
}

TControl* TMenu::BiDiParent() const {
    return dynamic_cast<TControl*>(Owner());
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

void TMenu::AfterConstruction() {
    inherited::AfterConstruction();
    ParentBiDiModeChanged();
}

void TMenu::Loaded() {
    inherited::Loaded();
    ParentBiDiModeChanged();
    MenuChanged(this, nullptr, true);
}

void TMenu::ItemChanged(TMenuItem* source, bool rebuild) {
    if (!FMoving) MenuChanged(this, source, rebuild);
}

void TMenu::WholeMenuChanged(bool rebuild) {
    MenuChanged(this, nullptr, rebuild);
    TComponentState state = ComponentState();
    if (state.Contains(csLoading) || state.Contains(csDestroying)) return;
    if (auto* owner = dynamic_cast<TControl*>(Owner())) owner->Perform(CM_MENUCHANGED, 0, LPARAM(this));
}

void TMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    TComponentState state = ComponentState();
    if (state.Contains(csLoading) || state.Contains(csDestroying) || !OnChange) return;
    TMenuChangeEvent handler = OnChange;
    handler(Sender, Source, Rebuild);
}

// ---- main menu and merging ------------------------------------------------------------------------------

TMainMenu::~TMainMenu() {
    Destroying();
    // Every item goes back to its own menu before the menus free their items.
    if (FMergedInto) FMergedInto->Unmerge(this);
    if (FMerged) UnmergeItems();
}

void TMainMenu::PublishProperties(TPublisher<TMainMenu>& p) {
    p.Boolean("AutoMerge", &TMainMenu::FAutoMerge, &TMainMenu::SetAutoMerge, false);
    p.Event("OnChange", &TMainMenu::OnChange);
}

void TMainMenu::SetAutoMerge(bool value) {
    if (FAutoMerge == value) return;
    FAutoMerge = value;
    WholeMenuChanged(false);
}

void TMainMenu::Merge(TMainMenu* menu) {
    if (menu == FMerged || menu == this) return;
    if (FMerged) UnmergeItems();
    if (menu) MergeItems(menu);
    WholeMenuChanged(true);
}

void TMainMenu::Unmerge(TMainMenu* menu) {
    if (!menu || menu != FMerged) return;
    UnmergeItems();
    WholeMenuChanged(true);
}

// The index before the first top-level item of a higher group.
int TMainMenu::MergeIndex(uint8_t groupIndex) const {
    TMenuItem* root = Items();
    int index = 0;
    while (index < root->Count() && root->Items(index)->GroupIndex() <= groupIndex)
        ++index;
    return index;
}

void TMainMenu::MergeItems(TMainMenu* menu) {
    // Only one level of merging: neither menu keeps a merge of its own.
    if (menu->FMergedInto) menu->FMergedInto->Unmerge(menu);
    if (menu->FMerged) menu->Unmerge(menu->FMerged);
    if (FMergedInto) FMergedInto->Unmerge(this);
    FMerged = menu;
    menu->FMergedInto = this;
    TMenuItem* root = Items();
    TMenuItem* from = menu->Items();
    for (int i = 0; i < from->Count(); ++i)
        FMergedItems.push_back({from->Items(i), from->Items(i)->Command(), i});
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        auto sameGroup = [item](const TMovedItem& m) { return m.Item->GroupIndex() == item->GroupIndex(); };
        if (std::any_of(FMergedItems.begin(), FMergedItems.end(), sameGroup))
            FReplacedItems.push_back({item, item->Command(), i});
    }
    FMoving = menu->FMoving = true;
    for (const TMovedItem& replaced : FReplacedItems)
        root->Remove(replaced.Item);
    for (const TMovedItem& merged : FMergedItems) {
        from->Remove(merged.Item);
        root->Insert(MergeIndex(merged.Item->GroupIndex()), merged.Item);
    }
    FMoving = menu->FMoving = false;
}

void TMainMenu::UnmergeItems() {
    TMainMenu* menu = FMerged;
    FMerged = nullptr;
    menu->FMergedInto = nullptr;
    FMoving = menu->FMoving = true;
    for (const TMovedItem& merged : FMergedItems)
        if (TMenuItem::FindByCommand(merged.Command) == merged.Item && merged.Item->Parent() == Items())
            Items()->Remove(merged.Item);
    PutBack(menu->Items(), FMergedItems);
    PutBack(Items(), FReplacedItems);
    FMoving = menu->FMoving = false;
    FMergedItems.clear();
    FReplacedItems.clear();
}

// Puts the items that still exist and stand nowhere else back at their indices, lowest first.
void TMainMenu::PutBack(TMenuItem* parent, const std::vector<TMovedItem>& items) {
    std::vector<TMovedItem> sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TMovedItem& a, const TMovedItem& b) { return a.Index < b.Index; });
    for (const TMovedItem& moved : sorted)
        if (TMenuItem::FindByCommand(moved.Command) == moved.Item && !moved.Item->Parent())
            parent->Insert(std::min(moved.Index, parent->Count()), moved.Item);
}

// ---- popup menu ---------------------------------------------------------------------------------------

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
    ParentBiDiModeChanged();
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation != opRemove || component != FPopupComponent) return;
    FPopupComponent = nullptr;
    ParentBiDiModeChanged();
}

TControl* TPopupMenu::BiDiParent() const {
    if (auto* control = dynamic_cast<TControl*>(FPopupComponent)) return control;
    return inherited::BiDiParent();
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (!OnPopup) return;
    TNotifyEvent handler = OnPopup;
    handler(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
    FPopupPoint = {X, Y};
    ParentBiDiModeChanged();
    DoPopup(this);
    if (TMenuItem* chosen = TrackMenu(*this, FPopupPoint, FAlignment)) PostMenuClick(chosen);
}

#include "classlib/MenuItem.h"

#include "classlib/MenuItemLook.h"
#include "classlib/Menus.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::unordered_map<unsigned, TMenuItem*>& Commands() {
    static std::unordered_map<unsigned, TMenuItem*> commands;
    return commands;
}

unsigned NewCommand(TMenuItem* item) {
    static unsigned next = 0;
    do {
        ++next;
    } while (next == 0 || Commands().contains(next));
    Commands()[next] = item;
    return next;
}

} // namespace

// Keeps an item showing its action.
class TMenuActionLink : public TBasicActionLink {
    VMR_CLASS(TMenuActionLink, TBasicActionLink)

  public:
    explicit TMenuActionLink(TMenuItem* client) : FClient(client) {}

  protected:
    void Change() override { FClient->ActionChange(Action()); }

  private:
    TMenuItem* FClient;
};

void TMenuItem::PublishProperties(TPublisher<TMenuItem>& p) {
    p.String("Caption", &TMenuItem::FCaption, &TMenuItem::SetCaption);
    p.Boolean("Checked", &TMenuItem::FChecked, &TMenuItem::SetChecked);
    p.Boolean("Default", &TMenuItem::FDefault, &TMenuItem::SetDefault);
    p.Boolean("Enabled", &TMenuItem::FEnabled, &TMenuItem::SetEnabled, true);
    p.Integer("GroupIndex", &TMenuItem::FGroupIndex, &TMenuItem::SetGroupIndex);
    p.String("Hint", &TMenuItem::FHint, &TMenuItem::SetHint);
    p.Integer("ImageIndex", &TMenuItem::FImageIndex, &TMenuItem::SetImageIndex, -1);
    p.Boolean("RadioItem", &TMenuItem::FRadioItem, &TMenuItem::SetRadioItem);
    p.Integer("ShortCut", &TMenuItem::FShortCut, &TMenuItem::SetShortCut);
    p.Boolean("Visible", &TMenuItem::FVisible, &TMenuItem::SetVisible, true);
    p.Enum("AutoLineReduction", &TMenuItem::FAutoLineReduction, &TMenuItem::SetAutoLineReduction, maParent);
    p.Component("Action", &TMenuItem::Action, &TMenuItem::SetAction);
    p.Event("OnClick", &TMenuItem::OnClick);
    p.Event("OnDrawItem", &TMenuItem::OnDrawItem);
    p.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(NewCommand(this)) {}

TMenuItem::~TMenuItem() {
    Commands().erase(FCommand);
    while (!FItems.empty())
        delete FItems.back();
    if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::FindByCommand(unsigned command) {
    auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : it->second;
}

void TMenuItem::SetCaption(const std::string& value) {
    if (FCaption == value) return;
    FCaption = value;
    MenuChanged(false);
}

void TMenuItem::SetChecked(bool value) {
    if (FChecked == value) return;
    FChecked = value;
    if (value && FRadioItem) UncheckRadioSiblings();
    MenuChanged(false);
}

void TMenuItem::UncheckRadioSiblings() {
    if (!FParent) return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
            sibling->SetChecked(false);
}

void TMenuItem::SetDefault(bool value) {
    if (FDefault == value) return;
    if (value && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this) sibling->SetDefault(false);
    FDefault = value;
    MenuChanged(false);
}

void TMenuItem::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    MenuChanged(false);
}

void TMenuItem::SetGroupIndex(uint8_t value) {
    if (FGroupIndex == value) return;
    FGroupIndex = value;
    if (FChecked && FRadioItem) UncheckRadioSiblings();
    MenuChanged(false);
}

void TMenuItem::SetImageIndex(int value) {
    if (FImageIndex == value) return;
    FImageIndex = value;
    MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool value) {
    if (FRadioItem == value) return;
    FRadioItem = value;
    if (FChecked && FRadioItem) UncheckRadioSiblings();
    MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (FShortCut == value) return;
    FShortCut = value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool value) {
    if (FVisible == value) return;
    FVisible = value;
    MenuChanged(true);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index " + std::to_string(index) + " out of range (" + Name() + " has " +
                         std::to_string(Count()) + " items)");
    return FItems[size_t(index)];
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    if (item->FParent) throw EMenuError("Menu item " + item->Name() + " is already in a menu");
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item) throw EMenuError("Menu item " + item->Name() + " cannot hold itself");
    if (index < 0 || index > Count())
        throw EMenuError("Menu index " + std::to_string(index) + " out of range (" + Name() + " has " +
                         std::to_string(Count()) + " items)");
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    MenuChanged(true);
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    int index = IndexOf(item);
    if (index < 0) throw EMenuError("Menu item " + (item ? item->Name() : "") + " is not in " + Name());
    Delete(index);
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TMenuItem::SetMenuIndex(int value) {
    if (!FParent) return;
    TMenuItem* parent = FParent;
    value = std::clamp(value, 0, parent->Count() - 1);
    if (value == MenuIndex()) return;
    parent->Remove(this);
    parent->Insert(value, this);
}

void TMenuItem::SetAutoLineReduction(TMenuAutoFlag value) {
    if (FAutoLineReduction == value) return;
    FAutoLineReduction = value;
    MenuChanged(false);
}

bool TMenuItem::ReducesLines() const {
    for (const TMenuItem* item = this; item; item = item->FParent)
        if (item->FAutoLineReduction != maParent) return item->FAutoLineReduction == maAutomatic;
    const TMenu* menu = GetParentMenu();
    return !menu || menu->AutoLineReduction() != maManual;
}

std::vector<TMenuItem*> TMenuItem::ShownItems() const {
    const bool reduce = ReducesLines();
    std::vector<TMenuItem*> shown;
    for (TMenuItem* item : FItems) {
        if (!item->FVisible) continue;
        if (reduce && item->IsLine() && (shown.empty() || shown.back()->IsLine())) continue;
        shown.push_back(item);
    }
    if (reduce && !shown.empty() && shown.back()->IsLine()) shown.pop_back();
    return shown;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->FParent)
        root = root->FParent;
    return root->FMenu;
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (!OnClick) {
        if (FActionLink && !ComponentState().Contains(csDesigning)) FActionLink->Execute(this);
        return;
    }
    TNotifyEvent handler = OnClick; // the handler may free this item, and OnClick with it
    handler(this);
}

void TMenuItem::SetAction(TBasicAction* value) {
    if (Action() == value) return;
    if (RelinkAction(*this, FActionLink, value, [this] { return std::make_unique<TMenuActionLink>(this); }))
        ActionChange(value);
}

void TMenuItem::ActionChange(TBasicAction* action) {
    auto* custom = dynamic_cast<TCustomAction*>(action);
    if (!custom) return;
    SetCaption(custom->Caption());
    SetChecked(custom->Checked());
    SetEnabled(custom->Enabled());
    SetHint(custom->Hint());
    SetImageIndex(custom->ImageIndex());
    SetVisible(custom->Visible());
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && FActionLink && component == FActionLink->Action()) FActionLink.reset();
}

bool TMenuItem::UsesHandlers() const {
    TMenu* menu = GetParentMenu();
    return menu && menu->IsOwnerDraw();
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
    TSize size = MeasureMenuItem(*this, *ACanvas);
    Width = size.cx;
    Height = size.cy;
    if (OnMeasureItem && UsesHandlers()) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected) {
    if (OnDrawItem && UsesHandlers())
        OnDrawItem(this, ACanvas, ARect, Selected);
    else
        DrawMenuItem(*this, *ACanvas, ARect, Selected);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else
        throw EMenuError("Menu item " + Name() + " must be placed in a menu or a menu item, not in " +
                         (parent ? parent->ClassName() + " " + parent->Name() : std::string("nothing")));
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (TMenu* menu = GetParentMenu()) menu->ItemChanged(this, rebuild);
}

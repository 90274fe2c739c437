#include "classlib/Actions.h"

#include "classlib/Forms.h"
#include "classlib/ImageList.h"
#include "classlib/Screen.h"

#include <algorithm>

namespace {
std::vector<TActionList*> gActionLists;

// The focused control and its parents, then the active form: the first that acts on the action wins.
template <class Offer> bool OfferToTargets(Offer offer) {
    if (!Screen) return false;
    for (TControl* c = Screen->ActiveControl(); c; c = c->Parent())
        if (offer(c)) return true;
    TCustomForm* form = Screen->ActiveForm();
    return form && offer(form);
}
} // namespace

// ---- TBasicActionLink ------------------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() {
    SetAction(nullptr);
}

void TBasicActionLink::SetAction(TBasicAction* value) {
    if (FAction == value) return;
    if (FAction) std::erase(FAction->FClients, this);
    FAction = value;
    if (value) value->FClients.push_back(this);
}

bool TBasicActionLink::Execute(TComponent* client) {
    if (!FAction) return false;
    // The handler may free the action, or the client and this link with it: afterwards only the action is
    // touched, and only while it lives.
    TBasicAction* action = FAction;
    const std::weak_ptr<const bool> alive = action->AliveMark();
    action->SetActionComponent(client);
    bool done = false;
    try {
        done = action->Execute();
    } catch (...) {
        if (!alive.expired()) action->SetActionComponent(nullptr);
        throw;
    }
    if (!alive.expired()) action->SetActionComponent(nullptr);
    return done;
}

bool TBasicActionLink::Update() {
    return FAction && FAction->Update();
}

// ---- TBasicAction ----------------------------------------------------------------------------------------

TBasicAction::~TBasicAction() {
    Destroying();
    // Links outlive the action only as empty links.
    while (!FClients.empty()) FClients.back()->SetAction(nullptr);
    SetActionComponent(nullptr);
}

void TBasicAction::PublishProperties(TPublisher<TBasicAction>& p) {
    p.Event("OnExecute", &TBasicAction::OnExecute).Event("OnUpdate", &TBasicAction::OnUpdate);
}

bool TBasicAction::Execute() {
    if (OnExecute) {
        OnExecute(this);
        return true;
    }
    return OfferToTargets([this](TComponent* target) { return target->ExecuteAction(this); });
}

bool TBasicAction::Update() {
    if (OnUpdate) {
        OnUpdate(this);
        return true;
    }
    return OfferToTargets([this](TComponent* target) { return target->UpdateAction(this); });
}

void TBasicAction::SetActionComponent(TComponent* value) {
    if (FActionComponent == value) return;
    if (FActionComponent) FActionComponent->RemoveFreeNotification(this);
    FActionComponent = value;
    if (value) value->FreeNotification(this);
}

void TBasicAction::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FActionComponent) FActionComponent = nullptr;
}

void TBasicAction::Change() {
    // A client may drop its link while it hears of the change.
    std::vector<TBasicActionLink*> clients = FClients;
    for (TBasicActionLink* link : clients)
        if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
}

// ---- TCustomAction ---------------------------------------------------------------------------------------

TCustomAction::~TCustomAction() {
    Destroying();
    SetActionList(nullptr);
}

void TCustomAction::PublishProperties(TPublisher<TCustomAction>& p) {
    p.String("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption)
        .Boolean("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked, false)
        .Boolean("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled, true)
        .String("Hint", &TCustomAction::Hint, &TCustomAction::SetHint)
        .Integer("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex, -1)
        .Boolean("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible, true);
}

template <class T> void TCustomAction::Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Change();
}

void TCustomAction::SetCaption(const std::string& value) { Store(FCaption, value); }
void TCustomAction::SetEnabled(bool value) { Store(FEnabled, value); }
void TCustomAction::SetChecked(bool value) { Store(FChecked, value); }
void TCustomAction::SetHint(const std::string& value) { Store(FHint, value); }
void TCustomAction::SetImageIndex(int value) { Store(FImageIndex, value); }
void TCustomAction::SetVisible(bool value) { Store(FVisible, value); }

void TCustomAction::SetActionList(TActionList* value) {
    if (FActionList == value) return;
    if (FActionList) std::erase(FActionList->FActions, this);
    FActionList = value;
    if (value) value->FActions.push_back(this);
}

// A disabled action does nothing; the update before decides.
bool TCustomAction::Execute() {
    Update();
    return FEnabled && TBasicAction::Execute();
}

void TCustomAction::SetParentComponent(TComponent* parent) {
    if (auto* list = dynamic_cast<TActionList*>(parent)) SetActionList(list);
}

TComponent* TCustomAction::GetParentComponent() const {
    return FActionList;
}

// ---- TActionList -----------------------------------------------------------------------------------------

TActionList::TActionList(TComponent* owner) : TComponent(owner) {
    gActionLists.push_back(this);
}

TActionList::~TActionList() {
    Destroying();
    std::erase(gActionLists, this);
    for (TCustomAction* action : FActions) action->FActionList = nullptr;
    SetImages(nullptr);
}

void TActionList::PublishProperties(TPublisher<TActionList>& p) {
    p.Component("Images", &TActionList::Images, &TActionList::SetImages);
}

void TActionList::SetImages(TImageList* value) {
    if (FImages == value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (value) value->FreeNotification(this);
    // Clients showing the actions' images take them again.
    std::vector<TCustomAction*> actions = FActions;
    for (TCustomAction* action : actions) action->Change();
}

void TActionList::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FImages) SetImages(nullptr);
}

void TActionList::UpdateActions() {
    std::vector<TCustomAction*> actions = FActions;
    for (TCustomAction* action : actions)
        if (std::find(FActions.begin(), FActions.end(), action) != FActions.end()) action->Update();
}

void UpdateAllActionLists() {
    std::vector<TActionList*> lists = gActionLists;
    for (TActionList* list : lists)
        if (std::find(gActionLists.begin(), gActionLists.end(), list) != gActionLists.end())
            list->UpdateActions();
}

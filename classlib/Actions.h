#pragma once
#include "classlib/Component.h"

#include <memory>
#include <string>
#include <vector>

class TBasicAction;
class TActionList;
class TImageList;

// What ties a client (a control) to an action: the action tells its links when it changes, and a link
// executes and updates the action for its client.
class TBasicActionLink : public TObject {
    VMR_CLASS(TBasicActionLink, TObject)

  public:
    TBasicActionLink() = default;
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* value);
    // The action runs with the client as its ActionComponent; false when there is no action or nothing ran.
    virtual bool Execute(TComponent* client = nullptr);
    virtual bool Update();

  protected:
    // The action's look changed.
    virtual void Change() {}

  private:
    friend class TBasicAction;
    TBasicAction* FAction = nullptr;
};

// A command that controls share. Execute runs OnExecute; without one it is offered to the focused control and
// its parents, then the active form, each of which may act on a target it handles (a data-aware control
// hands a dataset action to its data source). Update runs OnUpdate, or offers the action the same way.
class TBasicAction : public TComponent {
    VMR_CLASS(TBasicAction, TComponent)

  public:
    ~TBasicAction() override;
    static void PublishProperties(TPublisher<TBasicAction>& p);

    virtual bool HandlesTarget(TObject*) { return false; }
    virtual void ExecuteTarget(TObject*) {}
    virtual void UpdateTarget(TObject*) {}
    virtual bool Execute();
    virtual bool Update();
    // The control that executes the action now, or nullptr.
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* value);

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

  protected:
    explicit TBasicAction(TComponent* owner) : TComponent(owner) {}
    void Notification(TComponent* component, TOperation operation) override;
    // Tells every link that the action changed.
    void Change();

  private:
    friend class TBasicActionLink;
    std::vector<TBasicActionLink*> FClients;
    TComponent* FActionComponent = nullptr;
};

// An action with the look a control takes from it, kept in an action list.
class TCustomAction : public TBasicAction {
    VMR_CLASS(TCustomAction, TBasicAction)

  public:
    ~TCustomAction() override;
    static void PublishProperties(TPublisher<TCustomAction>& p);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* value);

    bool Execute() override;
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

  protected:
    explicit TCustomAction(TComponent* owner) : TBasicAction(owner) {}

  private:
    friend class TActionList;
    template <class T> void Store(T& field, const T& value);

    std::string FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    std::string FHint;
    int FImageIndex = -1;
    bool FVisible = true;
    TActionList* FActionList = nullptr;
};

class TAction : public TCustomAction {
    VMR_CLASS(TAction, TCustomAction)

  protected:
    explicit TAction(TComponent* owner) : TCustomAction(owner) {}
};

// The actions of a form, with the image list their ImageIndex counts in. The application updates every
// list's actions when it goes idle.
class TActionList : public TComponent {
    VMR_CLASS(TActionList, TComponent)

  public:
    ~TActionList() override;
    static void PublishProperties(TPublisher<TActionList>& p);

    int ActionCount() const { return int(FActions.size()); }
    TCustomAction* Actions(int index) const { return FActions.at(size_t(index)); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    // Updates each action (its OnUpdate, or the targets' answer).
    void UpdateActions();

  protected:
    explicit TActionList(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TCustomAction;
    std::vector<TCustomAction*> FActions;
    TImageList* FImages = nullptr;
};

// What a client's SetAction does: points the client's link (made by `make` when there is none) at the
// action, or drops the link for none, and has the client hear of the action's going. True when the client
// now has an action, whose look it should take.
template <class MakeLink>
bool RelinkAction(TComponent& client, std::unique_ptr<TBasicActionLink>& link, TBasicAction* value, MakeLink make) {
    if (TBasicAction* old = link ? link->Action() : nullptr) old->RemoveFreeNotification(&client);
    if (!value) {
        link.reset();
        return false;
    }
    if (!link) link = make();
    link->SetAction(value);
    value->FreeNotification(&client);
    return true;
}

// Updates the actions of every list; the application's idle step.
void UpdateAllActionLists();

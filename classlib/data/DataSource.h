#pragma once
#include "classlib/Component.h"
#include "classlib/data/DataSet.h"

#include <functional>
#include <vector>

class TDataLink;
using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

// Connects data links (data-aware controls) to a dataset and passes the dataset's events on to them.
class TDataSource : public TComponent {
    VMR_CLASS(TDataSource, TComponent)

  public:
    static void PublishProperties(TPublisher<TDataSource>& p);
    ~TDataSource() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* value);
    // A data link's Edit puts a browsing dataset into edit state only while AutoEdit is set.
    bool AutoEdit() const { return FAutoEdit; }
    void SetAutoEdit(bool value) { FAutoEdit = value; }
    // A disabled source reports its links inactive.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // The dataset's state, inactive without one or while disabled.
    TDataSetState State() const { return FState; }
    void Edit();

    TDataChangeEvent OnDataChange;
    TNotifyEvent OnStateChange;
    TNotifyEvent OnUpdateData;

  protected:
    explicit TDataSource(TComponent* owner) : TComponent(owner) {}
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent event, intptr_t info);
    void NotifyLinks(TDataEvent event, intptr_t info);
    void CheckLinkFields() const;
    void NotifyStateChange();
    void AddDataLink(TDataLink* link);
    void RemoveDataLink(TDataLink* link);

    TDataSet* FDataSet = nullptr;
    bool FAutoEdit = true;
    bool FEnabled = true;
    TDataSetState FState = dsInactive;
    std::vector<TDataLink*> FDataLinks;
};

#pragma once
#include "classlib/Actions.h"
#include "classlib/data/DataSet.h"

class TDataSource;

// An action on the dataset of a data source: its own DataSource, or, without one, the data source of the
// data-aware control that the action is offered to. Update enables the action where the dataset allows it.
class TDataSetAction : public TAction {
    VMR_CLASS(TDataSetAction, TAction)

  public:
    static void PublishProperties(TPublisher<TDataSetAction>& p);

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* value);

    bool HandlesTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
    void UpdateTarget(TObject* target) override;
    // The dataset of a target that the action handles.
    TDataSet* GetDataSet(TObject* target) const;

  protected:
    explicit TDataSetAction(TComponent* owner) : TAction(owner) {}
    void Notification(TComponent* component, TOperation operation) override;
    virtual void Act(TDataSet&) {}
    virtual bool Allowed(const TDataSet&) const { return true; }

  private:
    TDataSource* FDataSource = nullptr;
};

#define VMR_DATASET_ACTION(Class)                                                                            \
    class Class : public TDataSetAction {                                                                    \
        VMR_CLASS(Class, TDataSetAction)                                                                     \
                                                                                                             \
      protected:                                                                                             \
        explicit Class(TComponent* owner) : TDataSetAction(owner) {}                                         \
        void Act(TDataSet& dataSet) override;                                                                \
        bool Allowed(const TDataSet& dataSet) const override;                                                \
    };

VMR_DATASET_ACTION(TDataSetFirst)
VMR_DATASET_ACTION(TDataSetPrior)
VMR_DATASET_ACTION(TDataSetNext)
VMR_DATASET_ACTION(TDataSetLast)
VMR_DATASET_ACTION(TDataSetInsert)
VMR_DATASET_ACTION(TDataSetDelete)
VMR_DATASET_ACTION(TDataSetEdit)
VMR_DATASET_ACTION(TDataSetPost)
VMR_DATASET_ACTION(TDataSetCancel)
VMR_DATASET_ACTION(TDataSetRefresh)

#undef VMR_DATASET_ACTION

#include "classlib/data/DataSetActions.h"

#include "classlib/data/DataSource.h"

namespace {
bool Editing(const TDataSet& d) {
    return d.State() == dsEdit || d.State() == dsInsert;
}
} // namespace

void TDataSetAction::PublishProperties(TPublisher<TDataSetAction>& p) {
    p.Component("DataSource", &TDataSetAction::DataSource, &TDataSetAction::SetDataSource);
}

void TDataSetAction::SetDataSource(TDataSource* value) {
    if (FDataSource == value) return;
    if (FDataSource) FDataSource->RemoveFreeNotification(this);
    FDataSource = value;
    if (value) value->FreeNotification(this);
}

void TDataSetAction::Notification(TComponent* component, TOperation operation) {
    TAction::Notification(component, operation);
    if (operation == opRemove && component == FDataSource) FDataSource = nullptr;
}

bool TDataSetAction::HandlesTarget(TObject* target) {
    auto* source = dynamic_cast<TDataSource*>(target);
    if (!source || !source->DataSet()) return false;
    return !FDataSource || source == FDataSource;
}

TDataSet* TDataSetAction::GetDataSet(TObject* target) const {
    auto* source = dynamic_cast<TDataSource*>(target);
    return source ? source->DataSet() : nullptr;
}

void TDataSetAction::ExecuteTarget(TObject* target) {
    if (TDataSet* dataSet = GetDataSet(target)) Act(*dataSet);
}

void TDataSetAction::UpdateTarget(TObject* target) {
    TDataSet* dataSet = GetDataSet(target);
    SetEnabled(dataSet && dataSet->Active() && Allowed(*dataSet));
}

void TDataSetFirst::Act(TDataSet& d) { d.First(); }
bool TDataSetFirst::Allowed(const TDataSet& d) const { return !d.Bof(); }
void TDataSetPrior::Act(TDataSet& d) { d.Prior(); }
bool TDataSetPrior::Allowed(const TDataSet& d) const { return !d.Bof(); }
void TDataSetNext::Act(TDataSet& d) { d.Next(); }
bool TDataSetNext::Allowed(const TDataSet& d) const { return !d.Eof(); }
void TDataSetLast::Act(TDataSet& d) { d.Last(); }
bool TDataSetLast::Allowed(const TDataSet& d) const { return !d.Eof(); }
void TDataSetInsert::Act(TDataSet& d) { d.Insert(); }
bool TDataSetInsert::Allowed(const TDataSet& d) const { return d.CanModify(); }
void TDataSetDelete::Act(TDataSet& d) { d.Delete(); }
bool TDataSetDelete::Allowed(const TDataSet& d) const { return d.CanModify() && !(d.Bof() && d.Eof()); }
void TDataSetEdit::Act(TDataSet& d) { d.Edit(); }
bool TDataSetEdit::Allowed(const TDataSet& d) const { return d.CanModify() && !Editing(d); }
void TDataSetPost::Act(TDataSet& d) { d.Post(); }
bool TDataSetPost::Allowed(const TDataSet& d) const { return Editing(d); }
void TDataSetCancel::Act(TDataSet& d) { d.Cancel(); }
bool TDataSetCancel::Allowed(const TDataSet& d) const { return Editing(d); }
void TDataSetRefresh::Act(TDataSet& d) { d.Refresh(); }
bool TDataSetRefresh::Allowed(const TDataSet&) const { return true; }

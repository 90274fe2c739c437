#include "classlib/data/DataSource.h"

#include "classlib/data/DataLink.h"

#include <algorithm>

void TDataSource::PublishProperties(TPublisher<TDataSource>& p) {
    p.Boolean("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit, true);
    p.Component("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
    p.Boolean("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled, true);
    p.Event("OnDataChange", &TDataSource::OnDataChange);
    p.Event("OnStateChange", &TDataSource::OnStateChange);
    p.Event("OnUpdateData", &TDataSource::OnUpdateData);
}

TDataSource::~TDataSource() {
    // Links outlive a source only as long as their controls; they forget it now.
    while (!FDataLinks.empty())
        FDataLinks.back()->SetDataSource(nullptr);
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* value) {
    if (value == FDataSet) return;
    // The links leave the old dataset before they join the new one, so they never keep its fields.
    if (FDataSet) {
        FDataSet->RemoveDataSource(this);
        RemoveFreeNotification(FDataSet);
        FDataSet = nullptr;
        NotifyStateChange();
    }
    if (value) {
        FDataSet = value;
        FDataSet->AddDataSource(this);
        FDataSet->FreeNotification(this);
        NotifyStateChange();
    }
}

void TDataSource::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    NotifyStateChange();
}

void TDataSource::Edit() {
    if (FAutoEdit && FState == dsBrowse) FDataSet->Edit();
}

void TDataSource::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FDataSet) SetDataSet(nullptr);
}

void TDataSource::NotifyStateChange() {
    TDataSetState state = FDataSet && FEnabled ? FDataSet->State() : dsInactive;
    // The links hear of it even when the state stays: a new dataset may have other fields.
    bool changed = state != FState;
    FState = state;
    NotifyLinks(deUpdateState, 0);
    if (changed && OnStateChange && !ComponentState().Contains(csDestroying)) OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent event, intptr_t info) {
    if (event == deUpdateState) return NotifyStateChange();
    if (FState == dsInactive) return;
    NotifyLinks(event, info);
    switch (event) {
    case deFieldChange:
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
        TField* field = event == deFieldChange ? reinterpret_cast<TField*>(info) : nullptr;
        if (OnDataChange) OnDataChange(this, field);
        break;
    }
    case deUpdateRecord:
        if (OnUpdateData) OnUpdateData(this);
        break;
    default:
        break;
    }
}

void TDataSource::NotifyLinks(TDataEvent event, intptr_t info) {
    // A link's handler may remove links: walk a copy, skipping the ones that left.
    std::vector<TDataLink*> links = FDataLinks;
    for (TDataLink* link : links) {
        if (std::find(FDataLinks.begin(), FDataLinks.end(), link) != FDataLinks.end())
            link->DataEvent(event, info);
    }
}

void TDataSource::CheckLinkFields() const {
    if (FState == dsInactive) return;
    for (const TDataLink* link : FDataLinks)
        link->CheckField();
}

void TDataSource::AddDataLink(TDataLink* link) {
    FDataLinks.push_back(link);
}

void TDataSource::RemoveDataLink(TDataLink* link) {
    std::erase(FDataLinks, link);
}

#include "classlib/data/DataLink.h"

#include "classlib/data/DataSource.h"
#include "platform/Exception.h"

#include <algorithm>

TDataLink::~TDataLink() {
    SetDataSource(nullptr);
}

void TDataLink::SetDataSource(TDataSource* value) {
    if (value == FDataSource) return;
    if (FDataSource) {
        FDataSource->RemoveDataLink(this);
        FDataSource = nullptr;
        UpdateState();
    }
    if (value) {
        FDataSource = value;
        FDataSource->AddDataLink(this);
        UpdateState();
    }
}

TDataSet* TDataLink::DataSet() const {
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool value) {
    if (value == FReadOnly) return;
    FReadOnly = value;
    UpdateState();
}

bool TDataLink::Edit() {
    if (!FReadOnly && FDataSource && FDataSource->State() == dsBrowse) FDataSource->Edit();
    return FEditing;
}

void TDataLink::UpdateRecord() {
    FUpdating = true;
    try {
        UpdateData();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

void TDataLink::SetBufferCount(int value) {
    FBufferCount = std::max(value, 1);
    if (FActive) {
        UpdateBuffer();
        DataSetChanged();
    }
}

int TDataLink::RecordCount() const {
    if (!FActive) return 0;
    return std::clamp(DataSet()->RecordCount() - FFirstRecord, 0, FBufferCount);
}

int TDataLink::ActiveRecord() const {
    if (!FActive || DataSet()->IsEmpty()) return 0;
    return DataSet()->RecNo() - 1 - FFirstRecord;
}

void TDataLink::SetActiveRecord(int index) {
    if (FActive) DataSet()->SetDisplayRecord(FFirstRecord + index);
}

void TDataLink::DataSetScrolled(int) {
    DataSetChanged();
}

void TDataLink::RecordChanged(TField*) {}

void TDataLink::FocusControl(TField*) {}

int TDataLink::UpdateBuffer() {
    int old = FFirstRecord;
    TDataSet* dataSet = DataSet();
    int current = dataSet->RecNo() - 1;
    int count = dataSet->RecordCount();
    if (current < FFirstRecord) FFirstRecord = current;
    if (current >= FFirstRecord + FBufferCount) FFirstRecord = current - FBufferCount + 1;
    // Keep the buffer full when there are records enough.
    FFirstRecord = std::clamp(FFirstRecord, 0, std::max(count - FBufferCount, 0));
    FFirstRecord = std::min(FFirstRecord, std::max(current, 0));
    return FFirstRecord - old;
}

void TDataLink::UpdateState() {
    bool active = FDataSource && FDataSource->State() != dsInactive;
    if (active != FActive) {
        FActive = active;
        FFirstRecord = 0;
        if (active) UpdateBuffer();
        ActiveChanged();
    }
    TDataSetState state = FDataSource ? FDataSource->State() : dsInactive;
    bool editing = (state == dsEdit || state == dsInsert) && !FReadOnly;
    if (editing != FEditing) {
        FEditing = editing;
        EditingChanged();
    }
}

void TDataLink::DataEvent(TDataEvent event, intptr_t info) {
    if (event == deUpdateState) return UpdateState();
    if (!FActive) return;
    switch (event) {
    case deFieldChange:
    case deRecordChange:
        if (!FUpdating) RecordChanged(reinterpret_cast<TField*>(info));
        break;
    case deDataSetChange:
        UpdateBuffer();
        DataSetChanged();
        break;
    case deDataSetScroll:
        DataSetScrolled(UpdateBuffer());
        break;
    case deLayoutChange:
        UpdateBuffer();
        LayoutChanged();
        break;
    case deUpdateRecord:
        UpdateRecord();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deFocusControl:
        FocusControl(reinterpret_cast<TField*>(info));
        break;
    case deUpdateState:
        break;
    }
}

// ---------------------------------------------------------------------------------------------------------

void TFieldDataLink::SetFieldName(const std::string& value) {
    if (value == FFieldName) return;
    FFieldName = value;
    UpdateField();
}

bool TFieldDataLink::CanModify() const {
    return !ReadOnly() && FField && FField->CanModify();
}

bool TFieldDataLink::Edit() {
    // Without a current record there is nothing to edit: a change must not start a blank row.
    if (CanModify() && !DataSet()->IsEmpty()) TDataLink::Edit();
    return FFieldEditing;
}

void TFieldDataLink::CheckField() const {
    if (Active() && !FFieldName.empty() && !FField) DataSet()->FieldByName(FFieldName);
}

void TFieldDataLink::Reset() {
    RecordChanged(nullptr);
}

void TFieldDataLink::ActiveChanged() {
    UpdateField();
    if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() {
    SetFieldEditing(TDataLink::Editing() && CanModify());
}

void TFieldDataLink::LayoutChanged() {
    UpdateField();
}

void TFieldDataLink::RecordChanged(TField* field) {
    if (field && field != FField) return;
    FModified = false;
    if (OnDataChange) OnDataChange(this);
}

void TFieldDataLink::UpdateData() {
    if (!FModified) return;
    if (FField && OnUpdateData) OnUpdateData(this);
    FModified = false;
}

void TFieldDataLink::FocusControl(TField* field) {
    if (field && field == FField && OnFocusControl) OnFocusControl(field);
}

void TFieldDataLink::UpdateField() {
    TField* field = Active() && !FFieldName.empty() ? DataSet()->FindField(FFieldName) : nullptr;
    if (field == FField) return;
    FField = field;
    SetFieldEditing(TDataLink::Editing() && CanModify());
    RecordChanged(nullptr);
}

void TFieldDataLink::SetFieldEditing(bool value) {
    if (value == FFieldEditing) return;
    FFieldEditing = value;
    if (OnEditingChange) OnEditingChange(this);
}

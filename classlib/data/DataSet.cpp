#include "classlib/data/DataSet.h"

#include "classlib/data/DataSource.h"
#include "platform/Exception.h"

#include <algorithm>

void TDataSet::PublishProperties(TPublisher<TDataSet>& p) {
    p.Boolean("Active", &TDataSet::Active, &TDataSet::SetActive);
    p.Event("BeforeOpen", &TDataSet::BeforeOpen);
    p.Event("AfterOpen", &TDataSet::AfterOpen);
    p.Event("BeforeClose", &TDataSet::BeforeClose);
    p.Event("AfterClose", &TDataSet::AfterClose);
    p.Event("BeforePost", &TDataSet::BeforePost);
    p.Event("AfterPost", &TDataSet::AfterPost);
    p.Event("BeforeCancel", &TDataSet::BeforeCancel);
    p.Event("AfterCancel", &TDataSet::AfterCancel);
    p.Event("BeforeDelete", &TDataSet::BeforeDelete);
    p.Event("AfterDelete", &TDataSet::AfterDelete);
    p.Event("BeforeScroll", &TDataSet::BeforeScroll);
    p.Event("AfterScroll", &TDataSet::AfterScroll);
    p.Event("OnNewRecord", &TDataSet::OnNewRecord);
}

TDataSet::~TDataSet() {
    while (!FDataSources.empty())
        FDataSources.back()->SetDataSet(nullptr);
}

void TDataSet::SetActive(bool value) {
    if (ComponentState().Contains(csLoading)) {
        FStreamedActive = value;
        return;
    }
    if (value == Active()) return;
    if (value) {
        DoBeforeOpen();
        try {
            InternalOpen();
        } catch (...) {
            FRecords.clear();
            FFields.Clear();
            InternalClose();
            throw;
        }
        FCurrent = 0;
        FBof = true;
        FEof = FRecords.empty();
        SetState(dsBrowse);
        DoAfterOpen();
        // Every control has been told first, so one missing field leaves the others showing theirs.
        CheckLinkFields();
    } else {
        CheckBrowseMode();
        DoBeforeClose();
        CloseNow();
        DoAfterClose();
    }
}

void TDataSet::Loaded() {
    TComponent::Loaded();
    if (FStreamedActive) SetActive(true);
}

void TDataSet::CloseNow() {
    InternalClose();
    FRecords.clear();
    FEditRecord = {};
    FModified = false;
    FDisplay = -1;
    SetState(dsInactive);
    FFields.Clear();
}

void TDataSet::CloseDiscarding() {
    if (Active()) CloseNow();
}

void TDataSet::CheckActive() const {
    if (!Active()) throw EDatabaseError(Name() + ": Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckEditing() const {
    if (FState != dsEdit && FState != dsInsert) throw EDatabaseError("Dataset not in edit or insert mode");
}

void TDataSet::CheckCanModify() const {
    if (!CanModify()) throw EDatabaseError(Name() + ": Cannot modify a read-only dataset");
}

void TDataSet::SetState(TDataSetState state) {
    if (state == FState) return;
    FState = state;
    FModified = false;
    DataEvent(deUpdateState);
}

void TDataSet::First() {
    CheckActive();
    CheckBrowseMode();
    DoBeforeScroll();
    GoTo(0);
    FBof = true;
    DoAfterScroll();
}

void TDataSet::Last() {
    CheckActive();
    CheckBrowseMode();
    DoBeforeScroll();
    GoTo(int(FRecords.size()) - 1);
    FEof = true;
    DoAfterScroll();
}

int TDataSet::MoveBy(int distance) {
    CheckActive();
    CheckBrowseMode();
    if (distance == 0) return 0;
    DoBeforeScroll();
    int count = int(FRecords.size());
    int target = std::clamp(FCurrent + distance, 0, std::max(count - 1, 0));
    int moved = target - FCurrent;
    GoTo(target);
    // Trying to move past either end sets that end's flag.
    FBof = distance < 0 && moved != distance;
    FEof = distance > 0 && moved != distance;
    if (count == 0) FBof = FEof = true;
    DoAfterScroll();
    return moved;
}

void TDataSet::SetRecNo(int value) {
    CheckActive();
    if (value < 1 || value > RecordCount()) return;
    MoveBy(value - RecNo());
}

void TDataSet::GoTo(int index) {
    FCurrent = std::max(index, 0);
    FBof = FEof = FRecords.empty();
    DataEvent(deDataSetScroll);
}

TBookmark TDataSet::GetBookmark() const {
    if (!Active() || FRecords.empty()) return {};
    return {FRecords[size_t(FCurrent)].Serial};
}

int TDataSet::FindRecord(const TBookmark& bookmark) const {
    if (!bookmark) return -1;
    auto it = std::find_if(FRecords.begin(), FRecords.end(),
                           [&](const TDataRecord& r) { return r.Serial == bookmark.Serial; });
    return it == FRecords.end() ? -1 : int(it - FRecords.begin());
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
    CheckActive();
    CheckBrowseMode();
    int index = FindRecord(bookmark);
    if (index < 0) throw EDatabaseError(Name() + ": Record not found");
    DoBeforeScroll();
    GoTo(index);
    DoAfterScroll();
}

void TDataSet::Edit() {
    if (FState == dsEdit || FState == dsInsert) return;
    CheckActive();
    CheckCanModify();
    if (FRecords.empty()) return Insert();
    FEditRecord = FRecords[size_t(FCurrent)];
    SetState(dsEdit);
    DataEvent(deRecordChange);
}

void TDataSet::BeginInsert(bool append) {
    CheckActive();
    CheckBrowseMode();
    CheckCanModify();
    DoBeforeScroll();
    int position = append || FRecords.empty() ? int(FRecords.size()) : FCurrent;
    TDataRecord blank;
    blank.Values = TRecordValues(FFields.Count());
    blank.Serial = FNextSerial++;
    FRecords.insert(FRecords.begin() + position, blank);
    FEditRecord = std::move(blank);
    FCurrent = position;
    FBof = FEof = false;
    SetState(dsInsert);
    // OnNewRecord may fill in defaults: they are not the user's change.
    DoOnNewRecord();
    FModified = false;
    DataEvent(deDataSetChange);
    DoAfterScroll();
}

void TDataSet::UpdateRecord() {
    CheckEditing();
    DataEvent(deUpdateRecord);
}

void TDataSet::Post() {
    CheckActive();
    if (FState == dsBrowse) return;
    UpdateRecord();
    if (FState == dsInsert && !FModified) return Cancel();
    DoBeforePost();
    TDataRecord record = FEditRecord;
    if (FState == dsEdit) {
        InternalPost(record, &FRecords[size_t(FCurrent)]);
    } else {
        InternalPost(record, nullptr);
    }
    FRecords[size_t(FCurrent)] = std::move(record);
    FEditRecord = {};
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
    DoAfterPost();
}

void TDataSet::Cancel() {
    if (FState != dsEdit && FState != dsInsert) return;
    Fire(BeforeCancel, this);
    if (FState == dsInsert) {
        FRecords.erase(FRecords.begin() + FCurrent);
        FCurrent = std::clamp(FCurrent, 0, std::max(int(FRecords.size()) - 1, 0));
        FBof = FEof = FRecords.empty();
    }
    FEditRecord = {};
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
    Fire(AfterCancel, this);
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert) return Cancel();
    if (FRecords.empty())
        throw EDatabaseError(Name() + ": Cannot perform this operation on an empty dataset");
    CheckCanModify();
    Fire(BeforeDelete, this);
    InternalDelete(FRecords[size_t(FCurrent)]);
    FRecords.erase(FRecords.begin() + FCurrent);
    FEditRecord = {};
    SetState(dsBrowse);
    FCurrent = std::clamp(FCurrent, 0, std::max(int(FRecords.size()) - 1, 0));
    FBof = FEof = FRecords.empty();
    DataEvent(deDataSetChange);
    Fire(AfterDelete, this);
}

void TDataSet::Refresh() {
    CheckActive();
    CheckBrowseMode();
    int64_t rowId = FRecords.empty() ? 0 : FRecords[size_t(FCurrent)].RowId;
    int position = FCurrent;
    FRecords.clear();
    InternalRefresh();
    auto same = std::find_if(FRecords.begin(), FRecords.end(),
                             [&](const TDataRecord& r) { return r.RowId == rowId; });
    FCurrent = rowId != 0 && same != FRecords.end()
                   ? int(same - FRecords.begin())
                   : std::clamp(position, 0, std::max(int(FRecords.size()) - 1, 0));
    FBof = FEof = FRecords.empty();
    DataEvent(deDataSetChange);
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode);
    if (FState != dsEdit && FState != dsInsert) return;
    UpdateRecord();
    if (FModified) {
        Post();
    } else {
        Cancel();
    }
}

TField& TDataSet::FieldByName(std::string_view fieldName) const {
    TField* field = FindField(fieldName);
    if (!field) throw EDatabaseError(Name() + ": Field '" + std::string(fieldName) + "' not found");
    return *field;
}

void TDataSet::DisableControls() {
    if (FDisableCount++ == 0) FDisabledState = FState;
}

void TDataSet::EnableControls() {
    if (FDisableCount == 0 || --FDisableCount > 0) return;
    if (FDisabledState != FState) DataEvent(deUpdateState);
    DataEvent(deDataSetChange);
}

void TDataSet::SetDisplayRecord(int index) {
    FDisplay = index >= 0 && index < int(FRecords.size()) && index != FCurrent ? index : -1;
}

TFieldValue TDataSet::FieldValue(int index) const {
    if (!Active() || FRecords.empty()) return std::nullopt;
    if (FDisplay >= 0 && FDisplay < int(FRecords.size())) return FRecords[size_t(FDisplay)].Values.Get(index);
    if (FState == dsEdit || FState == dsInsert) return FEditRecord.Values.Get(index);
    return FRecords[size_t(FCurrent)].Values.Get(index);
}

void TDataSet::SetFieldValue(TField& field, const TFieldValue& value) {
    CheckEditing();
    if (!field.CanModify()) throw EDatabaseError("Field '" + field.FieldName() + "' cannot be modified");
    FEditRecord.Values.Set(field.Index(), value);
    FModified = true;
    DataEvent(deFieldChange, reinterpret_cast<intptr_t>(&field));
}

TField& TDataSet::AddField(const std::string& fieldName, TFieldType dataType, int size) {
    return FFields.Add(std::make_unique<TField>(*this, FFields.Count(), fieldName, dataType, size));
}

void TDataSet::AddRecord(TDataRecord record) {
    record.Serial = FNextSerial++;
    FRecords.push_back(std::move(record));
}

void TDataSet::DataEvent(TDataEvent event, intptr_t info) {
    bool always = event == deUpdateRecord || event == deCheckBrowseMode || event == deFocusControl;
    if (FDisableCount > 0 && !always) return;
    // A handler may detach a source: walk a copy and skip the ones that left.
    std::vector<TDataSource*> sources = FDataSources;
    for (TDataSource* source : sources) {
        if (std::find(FDataSources.begin(), FDataSources.end(), source) != FDataSources.end()) {
            source->DataEvent(event, info);
        }
    }
}

void TDataSet::CheckLinkFields() const {
    for (const TDataSource* source : FDataSources)
        source->CheckLinkFields();
}

void TDataSet::AddDataSource(TDataSource* source) {
    if (std::find(FDataSources.begin(), FDataSources.end(), source) == FDataSources.end()) {
        FDataSources.push_back(source);
    }
}

void TDataSet::RemoveDataSource(TDataSource* source) {
    std::erase(FDataSources, source);
}

void TDataSet::Fire(const TDataSetNotifyEvent& event, TDataSet* dataSet) {
    if (event) event(dataSet);
}

void TDataSet::DoBeforeOpen() {
    Fire(BeforeOpen, this);
}
void TDataSet::DoAfterOpen() {
    Fire(AfterOpen, this);
}
void TDataSet::DoBeforeClose() {
    Fire(BeforeClose, this);
}
void TDataSet::DoAfterClose() {
    Fire(AfterClose, this);
}
void TDataSet::DoBeforePost() {
    Fire(BeforePost, this);
}
void TDataSet::DoAfterPost() {
    Fire(AfterPost, this);
}
void TDataSet::DoBeforeScroll() {
    Fire(BeforeScroll, this);
}
void TDataSet::DoAfterScroll() {
    Fire(AfterScroll, this);
}
void TDataSet::DoOnNewRecord() {
    Fire(OnNewRecord, this);
}

#pragma once
#include "classlib/Component.h"
#include "classlib/data/Field.h"
#include "classlib/data/RecordValues.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TDataSource;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
using enum TDataSetState;
VMR_ENUM_NAMES(TDataSetState, "dsInactive", "dsBrowse", "dsEdit", "dsInsert")

// What a dataset tells its data sources and, through them, their data links.
enum class TDataEvent {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    deFocusControl
};
using enum TDataEvent;

class TDataSet;
using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;

// A place in a dataset that survives moves: valid while its record exists.
struct TBookmark {
    uint64_t Serial = 0;
    explicit operator bool() const { return Serial != 0; }
    friend bool operator==(const TBookmark&, const TBookmark&) = default;
};

// One record of a dataset: its values in field order and, for rows of a table, its row identity.
struct TDataRecord {
    TRecordValues Values;
    int64_t RowId = 0;
    uint64_t Serial = 0;
};

// A dataset keeps its whole result in memory (the static cursor the application uses) and moves a current
// record over it. Moving, closing and refreshing first post a pending edit (CheckBrowseMode), so an edit is
// never silently lost; a failing post raises and leaves the dataset in its edit state. Subclasses read the
// records (InternalOpen) and write changed ones back (InternalPost, InternalDelete).
class TDataSet : public TComponent {
    VMR_CLASS(TDataSet, TComponent)

  public:
    static void PublishProperties(TPublisher<TDataSet>& p);
    ~TDataSet() override;

    bool Active() const { return FState != dsInactive; }
    void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return FState; }

    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Returns how many records it moved.
    int MoveBy(int distance);
    bool Bof() const { return FBof; }
    bool Eof() const { return FEof; }
    // 1-based; 0 when there is no record.
    int RecNo() const { return Active() && !FRecords.empty() ? FCurrent + 1 : 0; }
    void SetRecNo(int value);
    int RecordCount() const { return Active() ? int(FRecords.size()) : 0; }
    bool IsEmpty() const { return RecordCount() == 0; }

    TBookmark GetBookmark() const;
    bool BookmarkValid(const TBookmark& bookmark) const { return FindRecord(bookmark) >= 0; }
    // Raises EDatabaseError when the record is gone.
    void GotoBookmark(const TBookmark& bookmark);

    void Edit();
    void Insert() { BeginInsert(false); }
    void Append() { BeginInsert(true); }
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    // Posts a modified record, cancels an unmodified one; does nothing in browse state.
    void CheckBrowseMode();
    // Lets data-aware controls write their pending changes into the fields.
    void UpdateRecord();
    bool Modified() const { return FModified; }

    TFields& Fields() { return FFields; }
    const TFields& Fields() const { return FFields; }
    TField* FindField(std::string_view fieldName) const { return FFields.FindField(fieldName); }
    // Raises EDatabaseError "Field 'X' not found".
    TField& FieldByName(std::string_view fieldName) const;

    virtual bool CanModify() const { return !FReadOnly; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }

    // The record that fields read: the current one, or, while a data link paints its buffer, another.
    // A negative index returns to the current record.
    void SetDisplayRecord(int index);

    // Fired by the protected virtual DoX methods.
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforePost, AfterPost, BeforeCancel,
        AfterCancel, BeforeDelete, AfterDelete, BeforeScroll, AfterScroll, OnNewRecord;

    void Loaded() override;

  protected:
    explicit TDataSet(TComponent* owner) : TComponent(owner) {}

    // Reads the fields and every record.
    virtual void InternalOpen() = 0;
    virtual void InternalClose() {}
    // Reads every record again; the fields stay.
    virtual void InternalRefresh() = 0;
    // Writes a record: original is null for an inserted one. May update the record (its row identity, values
    // the database computed). Raises on failure, leaving the dataset unchanged.
    virtual void InternalPost(TDataRecord& record, const TDataRecord* original) = 0;
    virtual void InternalDelete(const TDataRecord& record) = 0;

    TField& AddField(const std::string& fieldName, TFieldType dataType, int size);
    void AddRecord(TDataRecord record);
    // Closes without posting: for destruction, when nothing can be raised any more.
    void CloseDiscarding();

    virtual void DoBeforeOpen();
    virtual void DoAfterOpen();
    virtual void DoBeforeClose();
    virtual void DoAfterClose();
    virtual void DoBeforePost();
    virtual void DoAfterPost();
    virtual void DoBeforeScroll();
    virtual void DoAfterScroll();
    virtual void DoOnNewRecord();

  private:
    friend class TField;
    friend class TDataSource;
    static void Fire(const TDataSetNotifyEvent& event, TDataSet* dataSet);

    TFieldValue FieldValue(int index) const;
    void SetFieldValue(TField& field, const TFieldValue& value);
    void CheckActive() const;
    void CheckEditing() const;
    void CheckCanModify() const;
    void BeginInsert(bool append);
    void SetState(TDataSetState state);
    void GoTo(int index);
    int FindRecord(const TBookmark& bookmark) const;
    void CloseNow();
    void DataEvent(TDataEvent event, intptr_t info = 0);
    // Raises the first missing field a data control of this dataset names.
    void CheckLinkFields() const;
    void AddDataSource(TDataSource* source);
    void RemoveDataSource(TDataSource* source);

    TFields FFields;
    std::vector<TDataRecord> FRecords;
    TDataRecord FEditRecord;
    TDataSetState FState = dsInactive;
    int FCurrent = 0;
    int FDisplay = -1;
    bool FBof = true;
    bool FEof = true;
    bool FModified = false;
    bool FReadOnly = false;
    bool FStreamedActive = false;
    int FDisableCount = 0;
    TDataSetState FDisabledState = dsInactive;
    uint64_t FNextSerial = 1;
    std::vector<TDataSource*> FDataSources;
};

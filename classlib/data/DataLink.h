#pragma once
#include "classlib/Object.h"
#include "classlib/data/DataSet.h"

#include <functional>
#include <string>

#include "platform/Messages.h"

class TComponent;
class TDataSource;

// What a data-aware control sees of a data source: its dataset's state and a buffer of BufferCount records
// around the current one (one for an edit, a page for lists and grids). Subclasses override the reports.
class TDataLink : public TPersistent {
    VMR_CLASS(TDataLink, TPersistent)

  public:
    TDataLink() = default;
    ~TDataLink() override;

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* value);
    // The data source's dataset, or nullptr.
    TDataSet* DataSet() const;
    // The source is enabled and its dataset open.
    bool Active() const { return FActive; }
    // The dataset is in edit or insert state and the link is not read-only.
    bool Editing() const { return FEditing; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    // Asks the data source to edit; returns Editing.
    bool Edit();
    // Writes the control's pending change into the dataset (UpdateData).
    void UpdateRecord();

    int BufferCount() const { return FBufferCount; }
    void SetBufferCount(int value);
    // The buffered records: how many there are, and which of them is the dataset's current record.
    int RecordCount() const;
    int ActiveRecord() const;
    // Makes the fields read buffer record index; set it back to the active record when done.
    void SetActiveRecord(int index);
    // True for the links of visual controls (a navigator's, a grid's).
    bool VisualControl() const { return FVisualControl; }
    void SetVisualControl(bool value) { FVisualControl = value; }

  protected:
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    // distance: how many records the buffer moved.
    virtual void DataSetScrolled(int distance);
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* field);
    virtual void EditingChanged() {}
    virtual void UpdateData() {}
    virtual void FocusControl(TField* field);
    virtual void CheckBrowseMode() {}
    // Raises when the link needs what its open dataset lacks.
    virtual void CheckField() const {}

  private:
    friend class TDataSource;
    void DataEvent(TDataEvent event, intptr_t info);
    void UpdateState();
    // Moves the buffer so the current record stays inside it; returns how far it moved.
    int UpdateBuffer();

    TDataSource* FDataSource = nullptr;
    bool FActive = false;
    bool FEditing = false;
    bool FReadOnly = false;
    bool FUpdating = false;
    bool FVisualControl = false;
    int FBufferCount = 1;
    int FFirstRecord = 0;
};

using TFieldNotifyEvent = std::function<void(TObject* Sender)>;

// The link of a control that shows and edits one field: it finds the field by name, tells the control of
// data changes, and asks it for its value when the record is updated and the control has marked a change.
class TFieldDataLink : public TDataLink {
    VMR_CLASS(TFieldDataLink, TDataLink)

  public:
    TFieldDataLink() = default;

    const std::string& FieldName() const { return FFieldName; }
    void SetFieldName(const std::string& value);
    // The field of that name in the open dataset, or nullptr.
    TField* Field() const { return FField; }
    TComponent* Control() const { return FControl; }
    void SetControl(TComponent* value) { FControl = value; }
    // Not read-only, with a field that can be modified.
    bool CanModify() const;
    // Puts the dataset into edit state when it can and has a current record; returns whether the field is
    // being edited.
    bool Edit();
    // The control's value differs from the field: UpdateData will ask for it.
    void Modified() { FModified = true; }
    bool IsModified() const { return FModified; }
    // Drops the control's change and shows the field again.
    void Reset();
    bool Editing() const { return FFieldEditing; }

    TNotifyEvent OnDataChange;
    TNotifyEvent OnEditingChange;
    TNotifyEvent OnUpdateData;
    TNotifyEvent OnActiveChange;
    std::function<void(TField* Field)> OnFocusControl;

  protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;
    void FocusControl(TField* field) override;
    // A named field the open dataset does not have: "DataSet: Field 'X' not found".
    void CheckField() const override;

  private:
    void UpdateField();
    void SetFieldEditing(bool value);

    std::string FFieldName;
    TField* FField = nullptr;
    TComponent* FControl = nullptr;
    bool FModified = false;
    bool FFieldEditing = false;
};

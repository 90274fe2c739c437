#pragma once
#include "classlib/Edit.h"
#include "classlib/data/DataLink.h"

// The right-to-left rule of data-aware controls: a right-to-left control mirrors a field's text. Fields here
// carry no alignment of their own that mirroring could override, so only the control's mode decides.
bool DBUseRightToLeftAlignment(const TControl* control, const TField* field);

// What an edit or a memo does over a field: it shows the field's text, puts the dataset in edit state
// before any change (typing, Backspace, Delete, cut, paste, undo), resets on Escape, writes the text back
// when the record is updated, and stays read-only while the field cannot be modified.
class TFieldEditLink : public TFieldDataLink {
    VMR_CLASS(TFieldEditLink, TFieldDataLink)

  public:
    explicit TFieldEditLink(TCustomEdit* edit = nullptr);

    // The control's own ReadOnly property, kept apart from the read-only the data state imposes.
    bool ControlReadOnly() const { return FControlReadOnly; }
    void SetControlReadOnly(bool value);

    // Each returns false when the change must not happen (the key or message is dropped).
    bool KeyDown(WORD& key, TShiftState shift);
    bool KeyPress(char32_t& key);
    bool ClipboardChange();
    void Changed();
    // Leaving the control writes its text into the record.
    void Exit();
    // Shows the field's text again (Escape, a new record).
    void ShowField();

  private:
    bool StartEdit();
    void UpdateReadOnly();

    TCustomEdit* FEdit;
    bool FControlReadOnly = false;
    bool FShowing = false;
};

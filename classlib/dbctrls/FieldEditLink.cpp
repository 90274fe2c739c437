#include "classlib/dbctrls/FieldEditLink.h"

#include "classlib/data/DataSource.h"

TFieldEditLink::TFieldEditLink(TCustomEdit* edit) : FEdit(edit) {
    SetControl(edit);
    OnDataChange = [this](TObject*) { ShowField(); };
    OnEditingChange = [this](TObject*) { UpdateReadOnly(); };
    OnActiveChange = [this](TObject*) { UpdateReadOnly(); };
    OnUpdateData = [this](TObject*) {
        if (Field()) Field()->SetText(FEdit->Text());
    };
    UpdateReadOnly();
}

void TFieldEditLink::SetControlReadOnly(bool value) {
    FControlReadOnly = value;
    UpdateReadOnly();
}

void TFieldEditLink::UpdateReadOnly() {
    FEdit->SetReadOnly(FControlReadOnly || !Field() || !CanModify());
}

void TFieldEditLink::ShowField() {
    FShowing = true;
    FEdit->SetText(Field() ? Field()->Text() : std::string());
    FEdit->SetModified(false);
    FShowing = false;
    UpdateReadOnly();
}

bool TFieldEditLink::StartEdit() {
    return !FControlReadOnly && Field() && Edit();
}

bool TFieldEditLink::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_ESCAPE && IsModified()) {
        Reset();
        FEdit->SelectAll();
        key = 0;
        return false;
    }
    bool changes = key == VK_DELETE || (key == VK_INSERT && shift.Contains(ssShift));
    if (changes && !StartEdit()) {
        key = 0;
        return false;
    }
    return true;
}

bool TFieldEditLink::KeyPress(char32_t& key) {
    constexpr char32_t CtrlV = 22, CtrlX = 24, CtrlZ = 26, Backspace = 8, Tab = 9, LineFeed = 10, Return = 13;
    bool changes = key >= 32 || key == Backspace || key == CtrlV || key == CtrlX || key == CtrlZ ||
                   (FEdit->MultiLine() && (key == Tab || key == LineFeed || key == Return));
    if (changes && key != 127 && !StartEdit()) {
        key = 0;
        return false;
    }
    return true;
}

bool TFieldEditLink::ClipboardChange() {
    return StartEdit();
}

void TFieldEditLink::Changed() {
    if (!FShowing) Modified();
}

void TFieldEditLink::Exit() {
    UpdateRecord();
}

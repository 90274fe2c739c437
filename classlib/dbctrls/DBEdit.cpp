#include "classlib/dbctrls/DBEdit.h"

#include "classlib/data/DataSource.h"

TDBEdit::TDBEdit(TComponent* owner) : TCustomEdit(owner) {}

TDBEdit::~TDBEdit() {
    FDataLink->SetDataSource(nullptr);
}

void TDBEdit::PublishProperties(TPublisher<TDBEdit>& p) {
    p.String("DataField", &TDBEdit::DataField, &TDBEdit::SetDataField)
        .Component("DataSource", &TDBEdit::DataSource, &TDBEdit::SetDataSource)
        .Boolean("ReadOnly", &TDBEdit::ReadOnly, &TDBEdit::SetReadOnly, false);
}

void TDBEdit::SetDataSource(TDataSource* value) {
    FDataLink->SetDataSource(value);
    FDataLink->ShowField();
}

void TDBEdit::SetDataField(const std::string& value) {
    FDataLink->SetFieldName(value);
    FDataLink->ShowField();
}

void TDBEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_GETDATALINK: m.Result = LRESULT(FDataLink.get()); return;
    case WM_CUT:
    case WM_PASTE:
    case WM_UNDO:
    case WM_CLEAR:
        if (!FDataLink->ClipboardChange()) return;
        break;
    }
    TCustomEdit::WndProc(m);
}

void TDBEdit::KeyDown(WORD& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    if (key) FDataLink->KeyDown(key, shift);
}

void TDBEdit::KeyPress(char32_t& key) {
    TCustomEdit::KeyPress(key); // OnKeyPress may replace the character first
    if (key) FDataLink->KeyPress(key);
}

void TDBEdit::Change() {
    FDataLink->Changed();
    TCustomEdit::Change();
}

void TDBEdit::DoExit() {
    FDataLink->Exit();
    TCustomEdit::DoExit();
}

#include "classlib/dbctrls/DBMemo.h"

#include "classlib/data/DataSource.h"

TDBMemo::TDBMemo(TComponent* owner) : TCustomMemo(owner) {}

TDBMemo::~TDBMemo() {
    FDataLink->SetDataSource(nullptr);
}

void TDBMemo::PublishProperties(TPublisher<TDBMemo>& p) {
    p.String("DataField", &TDBMemo::DataField, &TDBMemo::SetDataField)
        .Component("DataSource", &TDBMemo::DataSource, &TDBMemo::SetDataSource)
        .Boolean("ReadOnly", &TDBMemo::ReadOnly, &TDBMemo::SetReadOnly, false);
}

void TDBMemo::SetDataSource(TDataSource* value) {
    FDataLink->SetDataSource(value);
    FDataLink->ShowField();
}

void TDBMemo::SetDataField(const std::string& value) {
    FDataLink->SetFieldName(value);
    FDataLink->ShowField();
}

void TDBMemo::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_GETDATALINK: m.Result = LRESULT(FDataLink.get()); return;
    case WM_CUT:
    case WM_PASTE:
    case WM_UNDO:
    case WM_CLEAR:
        if (!FDataLink->ClipboardChange()) return;
        break;
    }
    TCustomMemo::WndProc(m);
}

void TDBMemo::KeyDown(WORD& key, TShiftState shift) {
    TCustomMemo::KeyDown(key, shift);
    if (key) FDataLink->KeyDown(key, shift);
}

void TDBMemo::KeyPress(char32_t& key) {
    TCustomMemo::KeyPress(key); // OnKeyPress may replace the character first
    if (key) FDataLink->KeyPress(key);
}

void TDBMemo::Change() {
    FDataLink->Changed();
    TCustomMemo::Change();
}

void TDBMemo::DoExit() {
    FDataLink->Exit();
    TCustomMemo::DoExit();
}

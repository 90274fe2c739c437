#include "classlib/dbctrls/DBText.h"

#include "classlib/data/DataSource.h"

TDBText::TDBText(TComponent* owner) : TCustomLabel(owner) {
    SetAutoSize(false);
    SetShowAccelChar(false);
    SetTransparent(false);
    SetBounds(0, 0, 65, 17);
    FDataLink->SetControl(this);
    FDataLink->OnDataChange = [this](TObject*) { DataChange(); };
}

TDBText::~TDBText() {
    FDataLink->SetDataSource(nullptr);
}

void TDBText::PublishProperties(TPublisher<TDBText>& p) {
    p.String("DataField", &TDBText::DataField, &TDBText::SetDataField)
        .Component("DataSource", &TDBText::DataSource, &TDBText::SetDataSource);
}

void TDBText::SetDataSource(TDataSource* value) {
    FDataLink->SetDataSource(value);
    DataChange();
}

void TDBText::SetDataField(const std::string& value) {
    FDataLink->SetFieldName(value);
    DataChange();
}

std::string TDBText::FieldText() const {
    // A label's text is a C string, as the platform's: a NUL inside a value ends it.
    if (TField* field = Field()) {
        std::string text = field->DisplayText();
        return text.substr(0, text.find('\0'));
    }
    // Only a designer shows the label's name in place of a field it does not have yet.
    return ComponentState().Contains(csDesigning) ? Name() : std::string();
}

void TDBText::DataChange() {
    AdjustBounds();
    Invalidate();
}

// A grid painting this label for another record must not resize it.
void TDBText::AdjustBounds() {
    if (ControlState().Contains(csPaintCopy)) return;
    TCustomLabel::AdjustBounds();
}

void TDBText::WndProc(TMessage& m) {
    if (m.Msg == CM_GETDATALINK) {
        m.Result = LRESULT(FDataLink.get());
        return;
    }
    TCustomLabel::WndProc(m);
}

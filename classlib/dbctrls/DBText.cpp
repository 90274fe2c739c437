#include "classlib/dbctrls/DBText.h"

#include "classlib/Bitmap.h"
#include "classlib/data/DataSource.h"

TDBText::TDBText(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    FDataLink->SetControl(this);
    FDataLink->OnDataChange = [this](TObject*) { DataChange(); };
}

TDBText::~TDBText() {
    FDataLink->SetDataSource(nullptr);
}

void TDBText::PublishProperties(TPublisher<TDBText>& p) {
    p.Boolean("AutoSize", &TDBText::AutoSize, &TDBText::SetAutoSize, false)
        .String("DataField", &TDBText::DataField, &TDBText::SetDataField)
        .Component("DataSource", &TDBText::DataSource, &TDBText::SetDataSource)
        .Boolean("Transparent", &TDBText::Transparent, &TDBText::SetTransparent, false);
}

void TDBText::SetDataSource(TDataSource* value) {
    FDataLink->SetDataSource(value);
    DataChange();
}

void TDBText::SetDataField(const std::string& value) {
    FDataLink->SetFieldName(value);
    DataChange();
}

void TDBText::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustBounds();
}

void TDBText::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

std::string TDBText::FieldText() const {
    if (TField* field = Field()) return field->DisplayText();
    // Before a dataset is open the label names what it will show, as it does while a layout is designed.
    return FDataLink->Active() ? std::string() : Name();
}

void TDBText::DataChange() {
    AdjustBounds();
    Invalidate();
}

void TDBText::AdjustBounds() {
    if (!FAutoSize || ControlState().Contains(csPaintCopy)) return;
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    TSize size = measure.Canvas()->TextExtent(FieldText());
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void TDBText::WndProc(TMessage& m) {
    if (m.Msg == CM_GETDATALINK) {
        m.Result = LRESULT(FDataLink.get());
        return;
    }
    if (m.Msg == CM_FONTCHANGED) AdjustBounds();
    TGraphicControl::WndProc(m);
}

void TDBText::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(r, 0, 0, FieldText());
}

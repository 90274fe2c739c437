#include "report/QRLabel.h"

#include "classlib/data/DataSet.h"
#include "platform/Exception.h"
#include "report/PageRenderer.h"
#include "report/QRReference.h"
#include "report/QuickRep.h"

namespace {

TReportFont ReportFont(const TFont& font) {
    const TFontStyles style = font.Style();
    return {font.Name(),
            double(font.Size()),
            style.Contains(fsBold),
            style.Contains(fsItalic),
            style.Contains(fsUnderline),
            style.Contains(fsStrikeOut),
            font.Color()};
}

TTextAlign TextAlign(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return TTextAlign::Right;
    case taCenter:
        return TTextAlign::Center;
    default:
        return TTextAlign::Left;
    }
}

} // namespace

TQRCustomLabel::TQRCustomLabel(TComponent* owner) : TQRPrintable(owner) {
    FFont.OnChange = [this](TObject*) { ParentFont = false; };
}

void TQRCustomLabel::PublishProperties(TPublisher<TQRCustomLabel>& p) {
    p.Enum("Alignment", &TQRCustomLabel::Alignment, &TQRCustomLabel::Alignment, taLeftJustify);
    p.Boolean("AutoSize", &TQRCustomLabel::AutoSize, &TQRCustomLabel::AutoSize, true);
    p.Boolean("AutoStretch", &TQRCustomLabel::AutoStretch, &TQRCustomLabel::AutoStretch);
    p.Color("Color", &TQRCustomLabel::Color, &TQRCustomLabel::Color, clWhite);
    p.Persistent("Font", [](TQRCustomLabel& l) { return l.Font(); });
    p.Boolean("ParentFont", &TQRCustomLabel::ParentFont, &TQRCustomLabel::ParentFont, true);
    p.Boolean("Transparent", &TQRCustomLabel::Transparent, &TQRCustomLabel::Transparent);
    p.Boolean("WordWrap", &TQRCustomLabel::WordWrap, &TQRCustomLabel::WordWrap, true);
}

const TFont& TQRCustomLabel::PrintFont() const {
    const TQuickRep* report = Report();
    return ParentFont && report ? *report->Font() : FFont;
}

void TQRCustomLabel::PrintText(const std::string& text, std::vector<TPageItem>& items) const {
    TReportText item;
    item.Bounds = Size()->Bounds();
    item.Text = text;
    item.Font = ReportFont(PrintFont());
    item.Alignment = TextAlign(Alignment);
    item.WordWrap = WordWrap;
    item.Transparent = Transparent;
    item.Color = Color;
    if (AutoSize) {
        const TPageRenderer::TTextExtent extent = TPageRenderer::MeasureText(item.Font, text);
        if (Alignment == taRightJustify) item.Bounds.Left = item.Bounds.Right() - extent.Width;
        if (Alignment == taCenter)
            item.Bounds.Left += TMm::FromMicrometres((item.Bounds.Width - extent.Width).Micrometres() / 2);
        item.Bounds.Width = extent.Width;
        item.Bounds.Height = extent.Height;
    }
    const TMmRect printed = item.Bounds;
    items.push_back(std::move(item));
    Frame()->Print(printed, items);
}

void TQRLabel::PublishProperties(TPublisher<TQRLabel>& p) {
    p.String("Caption", &TQRLabel::Caption, &TQRLabel::Caption);
}

void TQRLabel::Print(std::vector<TPageItem>& items) {
    PrintText(Caption, items);
}

void TQRDBText::PublishProperties(TPublisher<TQRDBText>& p) {
    p.String("DataField", &TQRDBText::DataField, &TQRDBText::DataField);
    p.Component("DataSet", &TQRDBText::DataSet, &TQRDBText::SetDataSet);
    p.Event("OnPrint", &TQRDBText::OnPrint);
}

void TQRDBText::SetDataSet(TDataSet* value) {
    SetComponentReference(*this, FDataSet, value);
}

void TQRDBText::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FDataSet) FDataSet = nullptr;
}

std::string TQRDBText::FieldText() const {
    if (DataField.empty()) return {};
    if (!FDataSet || !FDataSet->Active())
        throw EInvalidOperation(Name() + " prints the field \"" + DataField + "\" but has no open dataset");
    const TField* field = FDataSet->FindField(DataField);
    if (!field)
        throw EInvalidOperation(Name() + " prints the field \"" + DataField + "\", which " +
                                FDataSet->Name() + " does not have");
    return field->DisplayText();
}

void TQRDBText::Print(std::vector<TPageItem>& items) {
    std::string value = FieldText();
    if (!value.empty() && OnPrint) OnPrint(this, value);
    PrintText(value, items);
}

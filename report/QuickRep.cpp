#include "report/QuickRep.h"

#include "classlib/data/DataSet.h"
#include "platform/Exception.h"
#include "report/QRBand.h"
#include "report/QRReference.h"

#include <algorithm>

namespace {

TQRPreviewFactory& PreviewFactory() {
    static TQRPreviewFactory factory;
    return factory;
}

// The records of the report's dataset, walked once. The dataset's controls stay still meanwhile; Restore
// returns to the record it was on, and a dataset opened for the walk is closed again.
class TDataSetRows : public TReportRowSource {
  public:
    TDataSetRows(const TQuickRep& report, TDataSet* dataSet) : FReport(report), FDataSet(dataSet) {
        if (!FDataSet) return;
        FOpened = !FDataSet->Active();
        if (FOpened) FDataSet->Open();
        FDataSet->DisableControls();
        FBookmark = FDataSet->GetBookmark();
    }
    TDataSetRows(const TDataSetRows&) = delete;
    TDataSetRows& operator=(const TDataSetRows&) = delete;
    ~TDataSetRows() override {
        if (!FDataSet) return;
        FDataSet->EnableControls();
        if (FOpened) FDataSet->Close();
    }

    bool First() override {
        if (!FDataSet) return false;
        FDataSet->First();
        return !FDataSet->Eof();
    }
    bool Next() override {
        FDataSet->Next();
        return !FDataSet->Eof();
    }
    std::string GroupKey(const std::string& expression) override {
        const TField* field = FDataSet->FindField(expression);
        if (!field)
            throw EInvalidOperation("Report " + FReport.Name() + ": the group expression \"" + expression +
                                    "\" names no field of " + FDataSet->Name());
        return field->AsString();
    }

    void Restore() {
        if (FDataSet && FDataSet->BookmarkValid(FBookmark)) FDataSet->GotoBookmark(FBookmark);
    }

  private:
    const TQuickRep& FReport;
    TDataSet* FDataSet;
    bool FOpened = false;
    TBookmark FBookmark;
};

TLayoutBandKind BandKind(const TQRCustomBand& band, const std::string& reportName) {
    if (band.BandType() == rbGroupHeader && dynamic_cast<const TQRGroup*>(&band))
        return TLayoutBandKind::GroupHeader;
    if (band.BandType() == rbDetail) return TLayoutBandKind::Detail;
    throw EInvalidOperation("Report " + reportName + ": band " + band.Name() + " is of type " +
                            *EnumInfo<TQRBandType>().NameOf(int64_t(band.BandType())) +
                            ", which this report library does not print");
}

} // namespace

TQuickRep::TQuickRep(TComponent* owner) : TComponent(owner) {}

TQuickRep::~TQuickRep() {
    for (TQRCustomBand* band : FBands)
        band->FReport = nullptr;
}

void TQuickRep::PublishProperties(TPublisher<TQuickRep>& p) {
    p.Component("DataSet", &TQuickRep::DataSet, &TQuickRep::SetDataSet);
    p.Persistent("Font", [](TQuickRep& r) { return r.Font(); });
    p.Persistent("Functions", [](TQuickRep& r) { return r.Functions(); });
    p.Set("Options", &TQuickRep::Options, &TQuickRep::Options,
          TQuickRepOptions{TQuickRepOption::FirstPageHeader, TQuickRepOption::LastPageFooter});
    p.Persistent("Page", [](TQuickRep& r) { return r.Page(); });
    p.Persistent("PrinterSettings", [](TQuickRep& r) { return r.PrinterSettings(); });
    p.Boolean("PrintIfEmpty", &TQuickRep::PrintIfEmpty, &TQuickRep::PrintIfEmpty, true);
    p.String("ReportTitle", &TQuickRep::ReportTitle, &TQuickRep::ReportTitle);
    p.Boolean("SnapToGrid", &TQuickRep::SnapToGrid, &TQuickRep::SnapToGrid, true);
    p.Enum("Units", &TQuickRep::Units, &TQuickRep::Units, TQRUnit::MM);
    p.Integer("Zoom", &TQuickRep::Zoom, &TQuickRep::Zoom, 100);
}

void TQuickRep::SetDataSet(TDataSet* value) {
    SetComponentReference(*this, FDataSet, value);
}

void TQuickRep::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FDataSet) FDataSet = nullptr;
}

void TQuickRep::AddBand(TQRCustomBand* band) {
    FBands.push_back(band);
    band->FReport = this;
}

void TQuickRep::RemoveBand(TQRCustomBand* band) {
    std::erase(FBands, band);
    band->FReport = nullptr;
}

// Group headers outermost first, in the order they were placed, then the detail bands.
std::vector<const TQRCustomBand*> TQuickRep::PrintOrder() const {
    std::vector<const TQRCustomBand*> order;
    for (TLayoutBandKind kind : {TLayoutBandKind::GroupHeader, TLayoutBandKind::Detail})
        for (const TQRCustomBand* band : FBands)
            if (BandKind(*band, Name()) == kind) order.push_back(band);
    return order;
}

TLayoutBand TQuickRep::LayoutBand(const TQRCustomBand& band,
                                  const std::vector<const TQRCustomBand*>& order) const {
    TLayoutBand printed;
    printed.Kind = BandKind(band, Name());
    printed.Height = band.Size()->Height;
    printed.ForceNewPage = band.ForceNewPage;
    if (const auto* group = dynamic_cast<const TQRGroup*>(&band)) {
        printed.Expression = group->Expression;
        printed.ReprintOnNewPage = group->ReprintOnNewPage;
    }
    if (const TQRCustomBand* link = band.LinkBand()) {
        const auto found = std::find(order.begin(), order.end(), link);
        if (found == order.end())
            throw EInvalidOperation("Report " + Name() + ": band " + band.Name() + " is linked to " +
                                    link->Name() + ", which is not a band of this report");
        printed.LinkBand = int(found - order.begin());
    }
    printed.Content = [&band] { return band.PrintElements(); };
    return printed;
}

TReportLayout TQuickRep::Layout() const {
    if (FPage.Columns() != 1)
        throw EInvalidOperation("Report " + Name() + ": pages of " + std::to_string(FPage.Columns()) +
                                " columns are not printed; use one column");
    TReportLayout layout;
    layout.Paper = FPage.Paper();
    layout.Orientation = FPage.PageOrientation();
    layout.TopMargin = FPage.TopMargin / 10;
    layout.BottomMargin = FPage.BottomMargin / 10;
    layout.LeftMargin = FPage.LeftMargin / 10;
    layout.RightMargin = FPage.RightMargin / 10;
    layout.PrintIfEmpty = PrintIfEmpty;
    const std::vector<const TQRCustomBand*> order = PrintOrder();
    for (const TQRCustomBand* band : order)
        layout.Bands.push_back(LayoutBand(*band, order));
    return layout;
}

TReportDocument TQuickRep::CreateDocument() {
    const TReportLayout layout = Layout();
    TDataSetRows rows(*this, FDataSet);
    TReportDocument document = LayoutReport(layout, rows);
    rows.Restore();
    return document;
}

void TQuickRep::Prepare() {
    FDocument = CreateDocument();
}

void TQuickRep::Preview() {
    const TQRPreviewFactory factory = PreviewFactory();
    if (!factory)
        throw EInvalidOperation("Report " + Name() + " cannot be previewed: no preview window is available");
    Prepare();
    factory(*this, FDocument);
}

void TQuickRep::Print() {
    const std::optional<TPrinterDestination> printer = TPrinters::DefaultDestination();
    if (!printer) throw EPrinterError(TPrinters::NoPrinterMessage);
    Print(TPrintTarget{printer, {}});
}

void TQuickRep::Print(const TPrintTarget& target) {
    Prepare();
    TPrintSettings settings;
    settings.Copies = FPrinterSettings.Copies;
    settings.FirstPage = FPrinterSettings.FirstPage;
    settings.LastPage = FPrinterSettings.LastPage;
    TPrinters::Print(FDocument, target, settings, Title());
}

std::string TQuickRep::Title() const {
    return ReportTitle.empty() ? Name() : ReportTitle;
}

TQRPreviewFactory TQuickRep::SetPreviewFactory(TQRPreviewFactory factory) {
    return std::exchange(PreviewFactory(), std::move(factory));
}

#pragma once
#include "classlib/Component.h"
#include "classlib/Font.h"
#include "report/Printers.h"
#include "report/QRPage.h"
#include "report/ReportLayoutEngine.h"
#include "report/ReportPage.h"

#include <functional>
#include <string>
#include <vector>

class TDataSet;
class TQRCustomBand;
class TQuickRep;

// The unit the report's designer showed lengths in; layouts store sizes in millimetres whatever it is.
enum class TQRUnit { MM, Inches, Pixels, Characters, Native };
VMR_ENUM_NAMES(TQRUnit, "MM", "Inches", "Pixels", "Characters", "Native")

enum class TQuickRepOption { FirstPageHeader, LastPageFooter, Compression };
VMR_ENUM_NAMES(TQuickRepOption, "FirstPageHeader", "LastPageFooter", "Compression")
using TQuickRepOptions = TSet<TQuickRepOption>;

// Shows a generated report and returns when the user closes it; the preview window installs one.
using TQRPreviewFactory = std::function<void(TQuickRep& report, const TReportDocument& document)>;

// A banded report over a dataset. Its bands and their elements are components placed on it (a layout
// nests them), and it is created from its layout like a form. Generating walks the dataset from its first
// record to its last: group headers print before the first record and whenever their expression's value
// changes, then the detail bands print once per record. The dataset is left on the record it was on, with
// its controls disabled meanwhile; a closed dataset is opened for the walk and closed again.
class TQuickRep : public TComponent {
    VMR_CLASS(TQuickRep, TComponent)

  public:
    static void PublishProperties(TPublisher<TQuickRep>& p);
    ~TQuickRep() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* value);
    TQRPage* Page() { return &FPage; }
    const TQRPage* Page() const { return &FPage; }
    TQRUnit Units = TQRUnit::MM;
    TQuickRepOptions Options{TQuickRepOption::FirstPageHeader, TQuickRepOption::LastPageFooter};
    // An empty dataset still gives one empty page.
    bool PrintIfEmpty = true;
    TQRFunctionLibrary* Functions() { return &FFunctions; }
    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    TQRPrinterSettings* PrinterSettings() { return &FPrinterSettings; }
    bool SnapToGrid = true;
    int Zoom = 100;
    // The title of print jobs; the report's name when empty.
    std::string ReportTitle;

    // The bands in the order they were placed on the report.
    const std::vector<TQRCustomBand*>& Bands() const { return FBands; }

    // Generates the pages from the dataset's records. Raises EInvalidOperation for a layout it cannot print
    // (a band kind it does not print, a page without room, a group expression that names no field).
    TReportDocument CreateDocument();
    // Generates the pages afresh and keeps them as Document.
    void Prepare();
    const TReportDocument& Document() const { return FDocument; }

    // Generates the pages and shows them in the preview window; returns when that window closes. Raises
    // EInvalidOperation when no preview window is available.
    virtual void Preview();
    // Generates the pages and prints them, with the copies and page range of PrinterSettings, to the
    // default printer (EPrinterError when there is none) or to the given target.
    void Print();
    void Print(const TPrintTarget& target);

    // Installs the preview window; returns the one it replaces.
    static TQRPreviewFactory SetPreviewFactory(TQRPreviewFactory factory);

  protected:
    explicit TQuickRep(TComponent* owner);
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TQRCustomBand;
    void AddBand(TQRCustomBand* band);
    void RemoveBand(TQRCustomBand* band);
    TReportLayout Layout() const;
    std::vector<const TQRCustomBand*> PrintOrder() const;
    TLayoutBand LayoutBand(const TQRCustomBand& band, const std::vector<const TQRCustomBand*>& order) const;
    std::string Title() const;

    TDataSet* FDataSet = nullptr;
    TQRPage FPage;
    TQRFunctionLibrary FFunctions;
    TFont FFont;
    TQRPrinterSettings FPrinterSettings;
    std::vector<TQRCustomBand*> FBands;
    TReportDocument FDocument;
};

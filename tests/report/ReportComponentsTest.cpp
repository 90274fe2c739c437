// The spell book report as its layout makes it, its references, its preview and printing, and the layouts
// it refuses.
#include "ReportComponentsFixture.h"
#include "TempFile.h"

#include "classlib/LayoutReader.h"
#include "classlib/data/DataSet.h"
#include "platform/Exception.h"
#include "report/QRBand.h"
#include "report/QRLabel.h"
#include "report/QRShape.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Installs a preview window that records what it was shown, for the test's lifetime.
class TRecordingPreview {
  public:
    TRecordingPreview() {
        FPrevious = TQuickRep::SetPreviewFactory([this](TQuickRep& report, const TReportDocument& document) {
            Reports.push_back(&report);
            Documents.push_back(document);
        });
    }
    ~TRecordingPreview() { TQuickRep::SetPreviewFactory(std::move(FPrevious)); }
    TRecordingPreview(const TRecordingPreview&) = delete;
    TRecordingPreview& operator=(const TRecordingPreview&) = delete;

    std::vector<TQuickRep*> Reports;
    std::vector<TReportDocument> Documents;

  private:
    TQRPreviewFactory FPrevious;
};

// The report layout with one line replaced.
std::string ReportLayoutWith(const std::string& line, const std::string& replacement) {
    std::string layout = ReportLayout();
    const size_t at = layout.find(line);
    if (at == std::string::npos) throw std::runtime_error("no line " + line + " in the layout");
    return layout.replace(at, line.size(), replacement);
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no error";
}

} // namespace

TEST_F(ReportComponents, TheLayoutMakesTheReportWithItsPageBandsAndElements) {
    ReadForms();
    TTestLibro& report = *FReport;
    EXPECT_EQ(report.DataSet(), FQuery);
    EXPECT_EQ(report.Page()->PaperSize(), TQRPaperSize::A4);
    EXPECT_EQ(report.Page()->Orientation(), TQRPaperOrientation::poPortrait);
    EXPECT_EQ(report.Page()->TopMargin, 50);
    EXPECT_EQ(report.Page()->LeftMargin, 30);
    EXPECT_EQ(report.Page()->Paper(), TPaperSize::A4());
    EXPECT_EQ(report.Units, TQRUnit::MM);
    EXPECT_EQ(report.Options,
              (TQuickRepOptions{TQuickRepOption::FirstPageHeader, TQuickRepOption::LastPageFooter}));
    EXPECT_EQ(report.Functions()->Names()->Text(), "PAGENUMBER\r\nCOLUMNNUMBER\r\nREPORTTITLE\r\n");
    EXPECT_EQ(report.Functions()->Data()->Strings(2), "''");
    EXPECT_EQ(report.Font()->Name(), "Verdana");
    EXPECT_EQ(report.PrinterSettings()->OutputBin, TQRBin::Auto);
    EXPECT_EQ(report.Zoom, 100);

    // Bands in layout order, with their published fields, sizes and links.
    ASSERT_EQ(report.Bands().size(), 2u);
    ASSERT_TRUE(report.QRGroup1 && report.QRBand1 && report.QRDBText17);
    EXPECT_EQ(report.Bands()[0], report.QRGroup1);
    EXPECT_EQ(report.QRGroup1->Expression, "LIVELLO");
    EXPECT_EQ(report.QRGroup1->LinkBand(), report.QRBand1);
    EXPECT_EQ(report.QRGroup1->Master(), &report);
    EXPECT_EQ(report.QRGroup1->Size()->Height, 9.26);
    EXPECT_EQ(report.QRBand1->BandType(), rbDetail);
    EXPECT_EQ(report.QRBand1->GetParentComponent(), &report);
    ASSERT_EQ(report.QRBand1->Elements().size(), 5u);
    EXPECT_EQ(report.QRBand1->Elements()[3], report.QRDBText17);
    EXPECT_EQ(report.QRDBText17->Band(), report.QRBand1);
    EXPECT_EQ(report.QRDBText17->DataSet(), FQuery);
    EXPECT_EQ(report.QRDBText17->DataField, "RI");
    EXPECT_TRUE(report.QRDBText17->OnPrint);
    // An element with a font of its own prints in it; one without, in the report's.
    EXPECT_FALSE(report.QRDBText17->ParentFont);
    EXPECT_EQ(report.QRDBText17->PrintFont().Name(), "Arial");
    auto* rule = static_cast<TQRShape*>(report.QRBand1->Elements()[4]);
    EXPECT_EQ(rule->Shape, qrsHorLine);
    TQRLabel* plain = NewComponent<TQRLabel>(&report);
    plain->SetParentComponent(report.QRBand1);
    EXPECT_EQ(&plain->PrintFont(), report.Font());
}

TEST_F(ReportComponents, TheDataSetIsFoundWhenTheMainFormComesLaterAndForgottenWhenItGoes) {
    Select(Spells("1", 2));
    FReport.reset(static_cast<TTestLibro*>(ReadLayout(ReportLayout(), "TFRMLIBRO", nullptr)));
    EXPECT_EQ(FReport->DataSet(), nullptr);
    FMain.reset(ReadLayout(MainLayout(), "TTESTMAIN", nullptr));
    FQuery = static_cast<TADOQuery*>(FMain->FindComponent("ADOQrySel"));
    EXPECT_EQ(FReport->DataSet(), FQuery);
    EXPECT_EQ(FReport->QRDBText17->DataSet(), FQuery);
    EXPECT_EQ(FReport->CreateDocument().Pages.size(), 1u);

    FMain.reset();
    EXPECT_EQ(FReport->DataSet(), nullptr);
    EXPECT_EQ(FReport->QRDBText17->DataSet(), nullptr);
    // Without a dataset there are no rows: one empty page.
    const TReportDocument doc = FReport->CreateDocument();
    ASSERT_EQ(doc.Pages.size(), 1u);
    EXPECT_TRUE(doc.Pages[0].Items.empty());
}

TEST_F(ReportComponents, PreviewHandsTheGeneratedPagesToThePreviewWindow) {
    Select(Spells("1", 3));
    ReadForms();
    const std::string message = ErrorOf([&] { FReport->Preview(); });
    EXPECT_NE(message.find("no preview window"), std::string::npos) << message;
    EXPECT_NE(message.find("frmLibro"), std::string::npos) << message;

    TRecordingPreview preview;
    FReport->Preview();
    ASSERT_EQ(preview.Documents.size(), 1u);
    EXPECT_EQ(preview.Reports[0], FReport.get());
    EXPECT_EQ(preview.Documents[0], FReport->CreateDocument());
    EXPECT_EQ(preview.Documents[0].Pages.size(), 1u);
    // Each preview generates afresh from the query.
    Select(Spells("2", 1));
    Requery("SELECT * FROM SELEZIONATI ORDER BY LIVELLO, INCANTESIMO");
    FReport->Preview();
    ASSERT_EQ(preview.Documents.size(), 2u);
    EXPECT_EQ(preview.Documents[1].Pages.size(), 2u);
}

TEST_F(ReportComponents, PrintingToAFileWritesThePagesOfThePrinterSettingsRange) {
    Select(Concat(Spells("1", 1), Spells("2", 1)));
    ReadForms();
    TTempFile pdf(".pdf");
    FReport->Print(TPrintTarget{std::nullopt, pdf.Path()});
    EXPECT_EQ(FReport->Document().Pages.size(), 2u);
    EXPECT_NE(CommandOutput("pdfinfo '" + pdf.Path() + "'").find("Pages:           2"), std::string::npos);
    FReport->PrinterSettings()->FirstPage = 2;
    FReport->PrinterSettings()->LastPage = 2;
    FReport->Print(TPrintTarget{std::nullopt, pdf.Path()});
    EXPECT_NE(CommandOutput("pdfinfo '" + pdf.Path() + "'").find("Pages:           1"), std::string::npos);
    EXPECT_NE(CommandOutput("pdftotext '" + pdf.Path() + "' -").find("Incantesimo 2-100"), std::string::npos);
}

TEST_F(ReportComponents, LayoutsThatCannotPrintAreRefusedNamingWhatIsWrong) {
    Select(Spells("1", 1));
    ReadForms();
    // A group expression that names no field.
    FReport->QRGroup1->Expression = "LIVELO";
    std::string message = ErrorOf([&] { FReport->CreateDocument(); });
    EXPECT_NE(message.find("\"LIVELO\""), std::string::npos) << message;
    EXPECT_EQ(FQuery->RecNo(), 1);
    EXPECT_FALSE(FQuery->ControlsDisabled());
    FReport->QRGroup1->Expression = "LIVELLO";

    // A data text whose field the query does not have.
    FReport->QRDBText17->DataField = "XX";
    message = ErrorOf([&] { FReport->CreateDocument(); });
    EXPECT_NE(message.find("QRDBText17"), std::string::npos) << message;
    EXPECT_NE(message.find("\"XX\""), std::string::npos) << message;
    FReport->QRDBText17->DataField = "RI";

    // A band kind the generator does not print, and a page without room.
    FReport->QRBand1->SetBandType(rbTitle);
    message = ErrorOf([&] { FReport->CreateDocument(); });
    EXPECT_NE(message.find("QRBand1"), std::string::npos) << message;
    EXPECT_NE(message.find("rbTitle"), std::string::npos) << message;
    FReport->QRBand1->SetBandType(rbDetail);
    FReport->Page()->TopMargin = 1500;
    FReport->Page()->BottomMargin = 1500;
    EXPECT_NE(ErrorOf([&] { FReport->CreateDocument(); }).find("no room"), std::string::npos);

    // An element placed on the report instead of a band stops the layout, naming the element.
    message = ErrorOf([&] {
        ReadLayout(ReportLayoutWith("object QRGroup1: TQRGroup", "object QRLabel99: TQRLabel\n  end\n"
                                                                 "  object QRGroup1: TQRGroup"),
                   "TFRMLIBRO", nullptr);
    });
    EXPECT_NE(message.find("QRLabel99"), std::string::npos) << message;
    EXPECT_NE(message.find("band"), std::string::npos) << message;
}

TEST_F(ReportComponents, ElementsAndBandsForgetEachOtherInAnyOrderOfDestruction) {
    ReadForms();
    TQRDBText* mark = FReport->QRDBText17;
    delete FReport->QRBand1;
    EXPECT_EQ(mark->Band(), nullptr);
    EXPECT_EQ(FReport->QRGroup1->LinkBand(), nullptr);
    EXPECT_EQ(FReport->Bands().size(), 1u);
    // Generating with the rest still works: headers only.
    Select(Spells("1", 2));
    Requery("SELECT * FROM SELEZIONATI ORDER BY LIVELLO, INCANTESIMO");
    const TReportDocument doc = FReport->CreateDocument();
    ASSERT_EQ(doc.Pages.size(), 1u);
    EXPECT_EQ(doc.Pages[0].Shapes().size(), 2u);
    delete FReport->QRGroup1->Elements().front();
    EXPECT_EQ(FReport->QRGroup1->Elements().size(), 4u);
}

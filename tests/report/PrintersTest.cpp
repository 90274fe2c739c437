#include "SpellBookLayout.h"
#include "TempFile.h"

#include "platform/Exception.h"
#include "report/CupsLibrary.h"
#include "report/Printers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <cstdlib>

using namespace spellbook;

namespace {

// Points the CUPS client at a server that does not exist, whatever the machine has.
class NoPrintServer : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("CUPS_SERVER", "/nonexistent-folder/cups.sock", 1);
        TCupsLibrary::Required().SetServer(nullptr);
    }
    void TearDown() override {
        unsetenv("CUPS_SERVER");
        TCupsLibrary::Required().SetServer(nullptr);
    }
};

TReportDocument Pages(int count) {
    TReportDocument doc;
    for (int i = 1; i <= count; ++i) {
        TReportText text;
        text.Bounds = {TMm(20.0), TMm(20.0), TMm(60.0), TMm(8.0)};
        text.Text = "Pagina numero " + std::to_string(i);
        doc.Pages.push_back({{text}});
    }
    return doc;
}

std::string PdfText(const std::string& path) {
    return CommandOutput("pdftotext '" + path + "' -");
}

} // namespace

TEST_F(NoPrintServer, NoServerMeansNoPrintersQuicklyAndPrintingToOneFails) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(TPrinters::Destinations().empty());
    EXPECT_FALSE(TPrinters::DefaultDestination());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

    TPrintTarget printer{TPrinterDestination{"Ufficio", "", "", true}, ""};
    try {
        TPrinters::Print(Pages(1), printer, {}, "Libro");
        FAIL() << "printing without a server succeeded";
    } catch (const EPrinterError& e) {
        EXPECT_NE(e.Message().find("\"Ufficio\""), std::string::npos) << e.Message();
    }
}

TEST_F(NoPrintServer, AFileThatCannotBeWrittenSaysWhyInItalian) {
    TTempFile folder("-cartella");
    const std::string inMissingFolder = folder.Path() + "/libro.pdf";
    try {
        TPrinters::Print(Pages(1), {std::nullopt, inMissingFolder}, {}, "Libro");
        FAIL() << "a PDF in a missing folder was written";
    } catch (const EPrinterError& e) {
        EXPECT_NE(e.Message().find(inMissingFolder), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("non esiste"), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(std::filesystem::exists(inMissingFolder));
}

TEST_F(NoPrintServer, PrintingToAPdfFileWritesTheChosenPages) {
    TTempFile pdf(".pdf");
    EXPECT_EQ(TPrinters::Print(Pages(4), {std::nullopt, pdf.Path()}, {1, 2, 3}, "Libro"), 0);
    const std::string text = PdfText(pdf.Path());
    EXPECT_EQ(text.find("Pagina numero 1"), std::string::npos) << text;
    EXPECT_NE(text.find("Pagina numero 2"), std::string::npos) << text;
    EXPECT_NE(text.find("Pagina numero 3"), std::string::npos) << text;
    EXPECT_EQ(text.find("Pagina numero 4"), std::string::npos) << text;

    // 0 means the first or the last page; a last page past the end stops at the end.
    EXPECT_EQ(TPrinters::SelectPages(Pages(4), {}).Pages, Pages(4).Pages);
    EXPECT_EQ(TPrinters::SelectPages(Pages(4), {1, 3, 0}).Pages.size(), 2u);
    EXPECT_EQ(TPrinters::SelectPages(Pages(4), {1, 0, 9}).Pages.size(), 4u);
    EXPECT_THROW(TPrinters::SelectPages(Pages(4), {1, 5, 0}), EPrinterError);
    EXPECT_THROW(TPrinters::SelectPages(Pages(4), {1, 3, 2}), EPrinterError);
    EXPECT_THROW(TPrinters::SelectPages(Pages(4), {1, -1, 2}), EPrinterError);
    EXPECT_THROW(TPrinters::SelectPages(Pages(4), {0, 0, 0}), EPrinterError);
    EXPECT_THROW(TPrinters::SelectPages(Pages(0), {}), EPrinterError);
    EXPECT_THROW(TPrinters::Print(Pages(1), {std::nullopt, ""}, {}, "Libro"), EPrinterError);
    EXPECT_THROW(TPrinters::Print(Pages(3), {std::nullopt, pdf.Path()}, {1, 4, 4}, "Libro"), EPrinterError);
    EXPECT_THROW(TPrinters::Print(Pages(1), {std::nullopt, "/nonexistent-folder/x.pdf"}, {}, "Libro"),
                 EPrinterError);
}

TEST(PrintJob, OptionsCarryTheCopiesAndAPageRangeOnlyWhenOneIsChosen) {
    using TOptions = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(TPrinters::JobOptions({}), (TOptions{{"copies", "1"}}));
    EXPECT_EQ(TPrinters::JobOptions({3, 2, 5}), (TOptions{{"copies", "3"}, {"page-ranges", "2-5"}}));
    EXPECT_EQ(TPrinters::JobOptions({1, 0, 4}), (TOptions{{"copies", "1"}, {"page-ranges", "1-4"}}));
    EXPECT_EQ(TPrinters::JobOptions({1, 3, 0}), (TOptions{{"copies", "1"}, {"page-ranges", "3-"}}));
    const TPrinters::TPageRange range = TPrinters::SelectedRange(7, {2, 3, 0});
    EXPECT_EQ(range.First, 3);
    EXPECT_EQ(range.Last, 7);
}

TEST(PrintLibrary, ALibraryThatCannotBeLoadedSaysWhichAndWhy) {
    try {
        TCupsLibrary missing("libvmr-missing-print-client.so.2");
        FAIL() << "a missing library was loaded";
    } catch (const EPrinterError& e) {
        EXPECT_NE(e.Message().find("libvmr-missing-print-client.so.2"), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("cannot open shared object file"), std::string::npos) << e.Message();
    }
    // A library without the print calls names the first one it lacks.
    try {
        TCupsLibrary wrong("libm.so.6");
        FAIL() << "the mathematics library was taken for the print client";
    } catch (const EPrinterError& e) {
        EXPECT_NE(e.Message().find("libm.so.6"), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("cupsServer"), std::string::npos) << e.Message();
    }
    // The system's library has every call, and the program does not map it before printing.
    const TCupsLibrary& cups = TCupsLibrary::Required();
    EXPECT_EQ(&cups, TCupsLibrary::Available());
    EXPECT_NE(cups.Server(), nullptr);
}

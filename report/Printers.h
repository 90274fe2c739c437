#pragma once
#include "report/ReportPage.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// A printer queue of the print server.
struct TPrinterDestination {
    std::string Name;
    std::string Instance; // empty for the queue itself
    std::string Description;
    bool IsDefault = false;
    friend bool operator==(const TPrinterDestination&, const TPrinterDestination&) = default;
};

// Where a report goes: a printer, or a PDF file (always possible, also with no printer at all).
struct TPrintTarget {
    std::optional<TPrinterDestination> Printer;
    std::string PdfFileName; // when there is no printer
};

struct TPrintSettings {
    int Copies = 1;
    // 1-based and inclusive; 0 for the first means from the first page, 0 for the last up to the last page.
    int FirstPage = 0;
    int LastPage = 0;
};

// Printing through the CUPS client library, loaded at the first use (TCupsLibrary). Nothing here waits long for a print server that does not answer:
// a server that cannot be reached has no printers.
class TPrinters {
  public:
    static constexpr const char* NoPrinterMessage =
        "Nessuna stampante è installata: il report si può stampare su un file PDF.";
    static constexpr int ServerTimeoutMs = 1500;

    // The print server's queues; empty when there is no server.
    static std::vector<TPrinterDestination> Destinations();
    static std::optional<TPrinterDestination> DefaultDestination();

    // The pages the settings select, 1-based and inclusive. Raises EPrinterError for a range with no page
    // or a copy count below 1.
    struct TPageRange {
        int First = 1;
        int Last = 1;
    };
    static TPageRange SelectedRange(size_t pageCount, const TPrintSettings& settings);
    // The selected pages as a document of their own.
    static TReportDocument SelectPages(const TReportDocument& document, const TPrintSettings& settings);

    // The CUPS job options for the settings: the copies, and the page range unless it is every page.
    static std::vector<std::pair<std::string, std::string>> JobOptions(const TPrintSettings& settings);
    // Sends a PDF file to a printer queue; returns the job's number. Raises EPrinterError.
    static int PrintPdfFile(const TPrinterDestination& printer, const std::string& pdfFileName,
                            const std::string& title, const TPrintSettings& settings);
    // Prints the selected pages: to the printer through a temporary PDF file, or to the PDF file.
    // Raises EPrinterError saying what failed; returns the print job's number (0 for a file).
    static int Print(const TReportDocument& document, const TPrintTarget& target,
                     const TPrintSettings& settings, const std::string& title);
};

#pragma once
#include "report/ReportPage.h"

#include <optional>
#include <string>
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

// Printing through the CUPS client library. Nothing here waits long for a print server that does not answer:
// a server that cannot be reached has no printers.
class TPrinters {
  public:
    static constexpr const char* NoPrinterMessage =
        "No printer is installed: the report can be printed to a PDF file.";
    static constexpr int ServerTimeoutMs = 1500;

    // The print server's queues; empty when there is no server.
    static std::vector<TPrinterDestination> Destinations();
    static std::optional<TPrinterDestination> DefaultDestination();

    // The pages the settings select, as a document of their own. Raises EPrinterError for a range with no
    // page or a copy count below 1.
    static TReportDocument SelectPages(const TReportDocument& document, const TPrintSettings& settings);
    // Prints the selected pages: to the printer through a temporary PDF file, or to the PDF file.
    // Raises EPrinterError saying what failed; returns the print job's number (0 for a file).
    static int Print(const TReportDocument& document, const TPrintTarget& target,
                     const TPrintSettings& settings, const std::string& title);
};

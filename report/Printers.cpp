#include "report/Printers.h"

#include "platform/Exception.h"
#include "report/PageRenderer.h"

#include <cups/cups.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

// cupsGetDests2 and cupsPrintFile2 wait on a print server much longer than a user would; a short connection
// attempt first tells whether there is one at all.
bool ServerAnswers() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                TPrinters::ServerTimeoutMs, nullptr);
    if (!http) return false;
    httpClose(http);
    return true;
}

std::string Option(const cups_dest_t& dest, const char* name) {
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

// A temporary file removed when it goes out of scope.
class TTemporaryPdf {
  public:
    TTemporaryPdf() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vmr-report-XXXXXX.pdf").string();
        const int fd = mkstemps(pattern.data(), 4);
        if (fd < 0) throw EPrinterError("Printing: no temporary file can be created in " + pattern);
        close(fd);
        FName = pattern;
    }
    ~TTemporaryPdf() { std::remove(FName.c_str()); }
    TTemporaryPdf(const TTemporaryPdf&) = delete;
    TTemporaryPdf& operator=(const TTemporaryPdf&) = delete;
    const std::string& Name() const { return FName; }

  private:
    std::string FName;
};

int SendToPrinter(const TReportDocument& pages, const TPrinterDestination& printer, int copies,
                  const std::string& title) {
    if (!ServerAnswers())
        throw EPrinterError("Printing to \"" + printer.Name + "\": the print server cannot be reached");
    TTemporaryPdf pdf;
    TPageRenderer::WritePdf(pages, pdf.Name());
    cups_option_t* options = nullptr;
    int count = cupsAddOption("copies", std::to_string(copies).c_str(), 0, &options);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.Name.c_str(), pdf.Name().c_str(), title.c_str(),
                                   count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        throw EPrinterError("Printing to \"" + printer.Name + "\" failed: " + cupsLastErrorString());
    return job;
}

} // namespace

std::vector<TPrinterDestination> TPrinters::Destinations() {
    std::vector<TPrinterDestination> result;
    if (!ServerAnswers()) return result;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        result.push_back({dest.name, dest.instance ? dest.instance : "", Option(dest, "printer-info"),
                          dest.is_default != 0});
    }
    cupsFreeDests(count, dests);
    return result;
}

std::optional<TPrinterDestination> TPrinters::DefaultDestination() {
    for (TPrinterDestination& dest : Destinations())
        if (dest.IsDefault) return std::move(dest);
    return std::nullopt;
}

TReportDocument TPrinters::SelectPages(const TReportDocument& document, const TPrintSettings& settings) {
    if (settings.Copies < 1)
        throw EPrinterError("Printing: " + std::to_string(settings.Copies) + " copies cannot be printed");
    const int pageCount = int(document.Pages.size());
    const int first = settings.FirstPage == 0 ? 1 : settings.FirstPage;
    const int last = settings.LastPage == 0 ? pageCount : std::min(settings.LastPage, pageCount);
    if (first < 1 || first > last)
        throw EPrinterError("Printing: the pages " + std::to_string(settings.FirstPage) + " to " +
                            std::to_string(settings.LastPage) + " select none of the report's " +
                            std::to_string(pageCount) + " pages");
    TReportDocument selected{document.Paper, document.Orientation, {}};
    selected.Pages.assign(document.Pages.begin() + (first - 1), document.Pages.begin() + last);
    return selected;
}

int TPrinters::Print(const TReportDocument& document, const TPrintTarget& target,
                     const TPrintSettings& settings, const std::string& title) {
    const TReportDocument pages = SelectPages(document, settings);
    if (target.Printer) return SendToPrinter(pages, *target.Printer, settings.Copies, title);
    if (target.PdfFileName.empty()) throw EPrinterError("Printing to a PDF file: no file name is given");
    try {
        TPageRenderer::WritePdf(pages, target.PdfFileName);
    } catch (const EStreamError& e) {
        throw EPrinterError(e.Message());
    }
    return 0;
}

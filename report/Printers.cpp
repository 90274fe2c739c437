#include "report/Printers.h"

#include "platform/Exception.h"
#include "report/CupsLibrary.h"
#include "report/SystemReason.h"
#include "report/PageRenderer.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

// cupsGetDests2 and cupsPrintFile2 wait on a print server much longer than a user would; a short connection
// attempt first tells whether there is one at all.
bool ServerAnswers(const TCupsLibrary& cups) {
    http_t* http = cups.HttpConnect2(cups.Server(), cups.IppPort(), nullptr, AF_UNSPEC, cups.Encryption(), 1,
                                     TPrinters::ServerTimeoutMs, nullptr);
    if (!http) return false;
    cups.HttpClose(http);
    return true;
}

std::string Option(const TCupsLibrary& cups, const cups_dest_t& dest, const char* name) {
    const char* value = cups.GetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

// A temporary file removed when it goes out of scope.
class TTemporaryPdf {
  public:
    TTemporaryPdf() {
        std::error_code error;
        std::filesystem::path folder = std::filesystem::temp_directory_path(error);
        if (error) folder = "/tmp";
        std::string pattern = (folder / "vmr-report-XXXXXX.pdf").string();
        const int fd = mkstemps(pattern.data(), 4);
        if (fd < 0) throw EPrinterError("La stampa non può creare il suo file temporaneo in " + folder.string() + ": " +
                                         SystemReason(errno));
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

// A file that cannot be made says why before any page is drawn.
void CheckWritable(const std::string& fileName) {
    std::FILE* file = std::fopen(fileName.c_str(), "ab");
    if (!file) throw EPrinterError("Il file PDF \"" + fileName + "\" non si può scrivere: " + SystemReason(errno));
    std::fclose(file);
}

} // namespace

std::vector<TPrinterDestination> TPrinters::Destinations() {
    std::vector<TPrinterDestination> result;
    const TCupsLibrary* cups = TCupsLibrary::Available();
    if (!cups || !ServerAnswers(*cups)) return result;
    cups_dest_t* dests = nullptr;
    const int count = cups->GetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        result.push_back({dest.name, dest.instance ? dest.instance : "", Option(*cups, dest, "printer-info"),
                          dest.is_default != 0});
    }
    cups->FreeDests(count, dests);
    return result;
}

std::optional<TPrinterDestination> TPrinters::DefaultDestination() {
    for (TPrinterDestination& dest : Destinations())
        if (dest.IsDefault) return std::move(dest);
    return std::nullopt;
}

TPrinters::TPageRange TPrinters::SelectedRange(size_t pageCount, const TPrintSettings& settings) {
    if (settings.Copies < 1)
        throw EPrinterError("Non si possono stampare " + std::to_string(settings.Copies) + " copie");
    const int pages = int(std::min<size_t>(pageCount, INT32_MAX));
    const TPageRange range{settings.FirstPage == 0 ? 1 : settings.FirstPage,
                           settings.LastPage == 0 ? pages : std::min(settings.LastPage, pages)};
    if (range.First < 1 || range.First > range.Last)
        throw EPrinterError("Le pagine da " + std::to_string(settings.FirstPage) + " a " +
                            std::to_string(settings.LastPage) + " non sono tra le " + std::to_string(pages) +
                            " pagine del report");
    return range;
}

TReportDocument TPrinters::SelectPages(const TReportDocument& document, const TPrintSettings& settings) {
    const TPageRange range = SelectedRange(document.Pages.size(), settings);
    TReportDocument selected{document.Paper, document.Orientation, {}};
    selected.Pages.assign(document.Pages.begin() + (range.First - 1), document.Pages.begin() + range.Last);
    return selected;
}

std::vector<std::pair<std::string, std::string>> TPrinters::JobOptions(const TPrintSettings& settings) {
    std::vector<std::pair<std::string, std::string>> options{{"copies", std::to_string(settings.Copies)}};
    if (settings.FirstPage != 0 || settings.LastPage != 0)
        options.emplace_back("page-ranges",
                             std::to_string(std::max(settings.FirstPage, 1)) + "-" +
                                 (settings.LastPage == 0 ? "" : std::to_string(settings.LastPage)));
    return options;
}

int TPrinters::PrintPdfFile(const TPrinterDestination& printer, const std::string& pdfFileName,
                            const std::string& title, const TPrintSettings& settings) {
    const TCupsLibrary& cups = TCupsLibrary::Required();
    if (!ServerAnswers(cups))
        throw EPrinterError("La stampante \"" + printer.Name + "\" non risponde: il servizio di stampa non è raggiungibile");
    cups_option_t* options = nullptr;
    int count = 0;
    for (const auto& [name, value] : JobOptions(settings))
        count = cups.AddOption(name.c_str(), value.c_str(), count, &options);
    const int job = cups.PrintFile2(CUPS_HTTP_DEFAULT, printer.Name.c_str(), pdfFileName.c_str(),
                                    title.c_str(), count, options);
    cups.FreeOptions(count, options);
    if (job == 0)
        throw EPrinterError("La stampante \"" + printer.Name + "\" ha rifiutato il lavoro: " +
                            cups.LastErrorString());
    return job;
}

int TPrinters::Print(const TReportDocument& document, const TPrintTarget& target,
                     const TPrintSettings& settings, const std::string& title) {
    const TPageRange range = SelectedRange(document.Pages.size(), settings);
    try {
        if (target.Printer) {
            TTemporaryPdf pdf;
            TPageRenderer::WritePdf(document, pdf.Name());
            const bool everyPage = range.First == 1 && size_t(range.Last) == document.Pages.size();
            const TPrintSettings job{settings.Copies, everyPage ? 0 : range.First,
                                     everyPage ? 0 : range.Last};
            return PrintPdfFile(*target.Printer, pdf.Name(), title, job);
        }
        if (target.PdfFileName.empty()) throw EPrinterError("Manca il nome del file PDF");
        CheckWritable(target.PdfFileName);
        TPageRenderer::WritePdf(SelectPages(document, settings), target.PdfFileName);
        return 0;
    } catch (const EStreamError& e) {
        throw EPrinterError(e.Message());
    }
}

#include "report/CupsLibrary.h"

#include "platform/Exception.h"

#include <memory>
#include <string>

namespace {

// The library of the system, or why it could not be loaded, decided at the first use.
struct TSystemCups {
    std::unique_ptr<TCupsLibrary> Library;
    std::string Failure;

    TSystemCups() {
        try {
            Library = std::make_unique<TCupsLibrary>(TCupsLibrary::FileName);
        } catch (const EPrinterError& e) {
            Failure = e.Message();
        }
    }
    // Never unloaded: the library keeps caches of its own until the process ends.
    static const TSystemCups& Get() {
        static const TSystemCups* cups = new TSystemCups;
        return *cups;
    }
};

} // namespace

TCupsLibrary::TCupsLibrary(const char* fileName) : FLibrary(fileName) {
    const bool bound = FLibrary.Loaded() && FLibrary.Bind(Server, "cupsServer") &&
                       FLibrary.Bind(SetServer, "cupsSetServer") && FLibrary.Bind(Encryption, "cupsEncryption") &&
                       FLibrary.Bind(IppPort, "ippPort") && FLibrary.Bind(HttpConnect2, "httpConnect2") &&
                       FLibrary.Bind(HttpClose, "httpClose") && FLibrary.Bind(GetDests2, "cupsGetDests2") &&
                       FLibrary.Bind(FreeDests, "cupsFreeDests") && FLibrary.Bind(GetOption, "cupsGetOption") &&
                       FLibrary.Bind(AddOption, "cupsAddOption") && FLibrary.Bind(FreeOptions, "cupsFreeOptions") &&
                       FLibrary.Bind(PrintFile2, "cupsPrintFile2") &&
                       FLibrary.Bind(LastErrorString, "cupsLastErrorString");
    if (!bound)
        throw EPrinterError("La libreria di stampa " + FLibrary.FileName() + " non si può usare: " +
                            FLibrary.Failure());
}

const TCupsLibrary& TCupsLibrary::Required() {
    const TSystemCups& cups = TSystemCups::Get();
    if (!cups.Library) throw EPrinterError(cups.Failure);
    return *cups.Library;
}

const TCupsLibrary* TCupsLibrary::Available() { return TSystemCups::Get().Library.get(); }

#include "report/CupsLibrary.h"

#include "platform/Exception.h"

#include <dlfcn.h>

#include <memory>

namespace {

std::string LoaderReason() {
    const char* reason = dlerror();
    return reason ? reason : "motivo sconosciuto";
}

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
    static const TSystemCups& Get() {
        static const TSystemCups cups;
        return cups;
    }
};

} // namespace

TCupsLibrary::TCupsLibrary(const char* fileName) : FFileName(fileName) {
    FHandle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!FHandle)
        throw EPrinterError("La libreria di stampa " + FFileName + " non si può caricare: " + LoaderReason());
    try {
        Bind(Server, "cupsServer");
        Bind(SetServer, "cupsSetServer");
        Bind(Encryption, "cupsEncryption");
        Bind(IppPort, "ippPort");
        Bind(HttpConnect2, "httpConnect2");
        Bind(HttpClose, "httpClose");
        Bind(GetDests2, "cupsGetDests2");
        Bind(FreeDests, "cupsFreeDests");
        Bind(GetOption, "cupsGetOption");
        Bind(AddOption, "cupsAddOption");
        Bind(FreeOptions, "cupsFreeOptions");
        Bind(PrintFile2, "cupsPrintFile2");
        Bind(LastErrorString, "cupsLastErrorString");
    } catch (...) {
        dlclose(FHandle);
        throw;
    }
}

TCupsLibrary::~TCupsLibrary() { dlclose(FHandle); }

template <typename F> void TCupsLibrary::Bind(F& function, const char* name) {
    dlerror();
    void* address = dlsym(FHandle, name);
    if (!address)
        throw EPrinterError("La libreria di stampa " + FFileName + " non ha la funzione " + name + ": " +
                            LoaderReason());
    function = reinterpret_cast<F>(address);
}

const TCupsLibrary& TCupsLibrary::Required() {
    const TSystemCups& cups = TSystemCups::Get();
    if (!cups.Library) throw EPrinterError(cups.Failure);
    return *cups.Library;
}

const TCupsLibrary* TCupsLibrary::Available() { return TSystemCups::Get().Library.get(); }

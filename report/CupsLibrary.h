#pragma once
#include "platform/SharedLibrary.h"

#include <cups/cups.h>

// The print client library, loaded the first time printing needs it: linked into the program it would map
// some thirty more shared libraries at every start-up, for the few runs that print. Only the calls printing
// makes are here; the header gives their types.
class TCupsLibrary {
  public:
    static constexpr const char* FileName = "libcups.so.2";

    // Loads `fileName` and every call below; raises EPrinterError naming the library and what the loader said.
    explicit TCupsLibrary(const char* fileName);

    // The library of the system, loaded once; raises EPrinterError (every time) when it cannot be loaded.
    static const TCupsLibrary& Required();
    // The same, or null when it cannot be loaded: with no print library there are no printers.
    static const TCupsLibrary* Available();

    decltype(&::cupsServer) Server = nullptr;
    decltype(&::cupsSetServer) SetServer = nullptr;
    decltype(&::cupsEncryption) Encryption = nullptr;
    decltype(&::ippPort) IppPort = nullptr;
    decltype(&::httpConnect2) HttpConnect2 = nullptr;
    decltype(&::httpClose) HttpClose = nullptr;
    decltype(&::cupsGetDests2) GetDests2 = nullptr;
    decltype(&::cupsFreeDests) FreeDests = nullptr;
    decltype(&::cupsGetOption) GetOption = nullptr;
    decltype(&::cupsAddOption) AddOption = nullptr;
    decltype(&::cupsFreeOptions) FreeOptions = nullptr;
    decltype(&::cupsPrintFile2) PrintFile2 = nullptr;
    decltype(&::cupsLastErrorString) LastErrorString = nullptr;

  private:
    TSharedLibrary FLibrary;
};

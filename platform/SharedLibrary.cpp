#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace {

std::string LoaderReason() {
    const char* reason = dlerror();
    return reason ? reason : "motivo sconosciuto";
}

} // namespace

TSharedLibrary::TSharedLibrary(const char* fileName) : FFileName(fileName) {
    FHandle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!FHandle) FFailure = LoaderReason();
}

TSharedLibrary::~TSharedLibrary() {
    if (FHandle) dlclose(FHandle);
}

void* TSharedLibrary::Symbol(const char* name) {
    if (!FHandle) return nullptr;
    dlerror();
    void* address = dlsym(FHandle, name);
    if (!address) FFailure = std::string(name) + ": " + LoaderReason();
    return address;
}

#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

namespace {

std::string LoaderReason() {
    const char* reason = dlerror();
    return reason ? reason : "unknown reason";
}

} // namespace

TDynamicLibrary::TDynamicLibrary(const char* fileName) : FFileName(fileName) {
    FHandle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!FHandle) FFailure = FFileName + " cannot be loaded: " + LoaderReason();
}

TDynamicLibrary::~TDynamicLibrary() {
    if (FHandle) dlclose(FHandle);
}

void* TDynamicLibrary::Symbol(const char* name) {
    if (!FHandle) return nullptr;
    dlerror();
    void* address = dlsym(FHandle, name);
    if (!address) FFailure = FFileName + " has no " + name + ": " + LoaderReason();
    return address;
}

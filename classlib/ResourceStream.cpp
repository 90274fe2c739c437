#include "classlib/ResourceStream.h"

#include "platform/Exception.h"
#include "platform/Resources.h"

TResourceStream::TResourceStream(std::string_view resourceName) {
    auto bytes = FindResource(resourceName);
    SetPointer(bytes.data(), int64_t(bytes.size()));
}

int64_t TResourceStream::Write(const void*, int64_t) {
    throw EStreamError("Cannot write to a read-only resource stream");
}

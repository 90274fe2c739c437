#pragma once
#include "classlib/Streams.h"

#include <string_view>

// Reads an embedded resource by name; EResNotFound names a missing one. It cannot be written.
class TResourceStream : public TCustomMemoryStream {
    VMR_CLASS(TResourceStream, TCustomMemoryStream)

public:
    explicit TResourceStream(std::string_view resourceName);
    int64_t Write(const void* buffer, int64_t count) override;
};

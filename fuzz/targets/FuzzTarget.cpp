// One libFuzzer target; VMR_FUZZ_TARGET names its entry.
#include "fuzz/FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

// The font library keeps what it allocates while it reads its configuration, once per process.
extern "C" const char* __lsan_default_suppressions() { return "leak:FcInitLoadConfigAndFonts\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TFuzzEntry entry = [] {
        TFuzzEntry found = FindFuzzEntry(VMR_FUZZ_TARGET);
        if (!found) {
            std::fprintf(stderr, "no fuzz entry %s\n", VMR_FUZZ_TARGET);
            std::abort();
        }
        return found;
    }();
    entry({data, size});
    return 0;
}

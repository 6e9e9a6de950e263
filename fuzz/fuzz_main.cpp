// The libFuzzer program of one reader; ZFM_FUZZ_ENTRY names the entry it drives.
#include "fuzz/FuzzEntries.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEntries::Initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzEntries::ZFM_FUZZ_ENTRY(data, size);
    return 0;
}

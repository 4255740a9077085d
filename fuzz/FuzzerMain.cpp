// libFuzzer's entry for one harness, chosen at build time by PITWRIGHT_HARNESS.

#include "Harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pw::fuzz::PITWRIGHT_HARNESS(data, size);
    return 0;
}

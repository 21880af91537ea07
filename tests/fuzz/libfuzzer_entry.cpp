// The libFuzzer entry of one target; QV_FUZZ_TARGET names it.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return qvfuzz::QV_FUZZ_TARGET(data, size);
}

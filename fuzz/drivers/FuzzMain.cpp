// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry points for one target, chosen at build time.
#include <cstring>
#include <string>

#include "FuzzTargets.h"

#define FM_STRINGIFY2(x) #x
#define FM_STRINGIFY(x) FM_STRINGIFY2(x)

namespace {
fuzzing::Target target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::Init();
    target = fuzzing::Find(FM_STRINGIFY(FM_FUZZ_TARGET));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return target ? target(data, size) : 0;
}

// libFuzzer target over saves (clang only): every input is a damaged synthetic ROM and one edit.
#include "support/FuzzSave.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzsave::Outcome o = fuzzsave::run(data, size);
    if (!o.fault.empty()) {
        std::fprintf(stderr, "%s: %s\n", o.edit.c_str(), o.fault.c_str());
        std::abort(); // a save wrote what the user did not edit
    }
    return 0;
}

// libFuzzer target over Init (clang only): every input is a damaged synthetic ROM.
#include "support/FuzzInit.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Outcome o = fuzz::runInit(data, size);
    if (!o.romUntouched)
        std::abort(); // loading must never write the ROM file
    return 0;
}

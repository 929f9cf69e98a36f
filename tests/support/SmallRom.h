#pragma once
#include "rom/RomFile.h"

#include <string>

// A ROM-sized file that carries only what the release check and the debug switch read.
namespace smallrom {

enum class Kind { US, Japanese, Other };
Bytes make(Kind kind, uint8_t debugByte = 0x90);

} // namespace smallrom

#pragma once
#include "model/RomDocument.h"

// The document's tables, writable: a test sets up what a ROM could hold (a colour out of range,
// a block drawn a certain way) where no window may write.
struct DocTables
{
    static LoadedRom &of(RomDocument &d) { return d.m_g; }
};

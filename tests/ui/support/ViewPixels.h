#pragma once
#include "ui/support/Program.h"

#include <QImage>
#include <QString>

#include <array>

// The level view's pixels as the ROM file's bytes, the loaded tileset and sub-palettes and the
// palette file say they look, worked out here on their own.
namespace viewpx {

// Four sub-palettes of four NES colours each, colour 0 first.
using SubPals = std::array<std::array<int, 4>, 4>;

// Block `block` of the shown section with its CHR tiles read from `rom` (the whole file) and the
// sub-palettes the tables hold (or `pals`); its upper half black when `masked`.
QImage expectedBlock(const Program &p, const Bytes &rom, int block, bool masked);
QImage expectedBlock(
    const Program &p, const Bytes &rom, int block, const SubPals &pals, bool masked = false);

// The block the layout holds at view cell k.
int blockAt(const Program &p, int k);

// Empty when every view cell shows the block its layout position holds, drawn from `rom` (the
// top row masked when asked); else what the first cell that does not shows.
QString mismatch(const Program &p, const Bytes &rom, bool topMasked);

// Each cell's picture as the view shows it.
std::array<QImage, 48> pictures(const Program &p);

} // namespace viewpx

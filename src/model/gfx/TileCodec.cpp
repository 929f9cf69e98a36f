#include "model/gfx/TileCodec.h"

#include "rom/Numbers.h"
#include "rom/PatchDiff.h"
#include "rom/RomFile.h"
#include "rom/VbError.h"

namespace blocks {

render::ChrTile encodeTile(const TileRows &px)
{
    render::ChrTile out {};
    for (size_t r = 0; r < 8; ++r) {
        unsigned p0 = 0;
        unsigned p1 = 0;
        for (size_t c = 0; c < 8; ++c) {
            const unsigned v = px[r][c] & 3u;
            p0 |= (v & 1u) << (7 - c);
            p1 |= (v >> 1) << (7 - c);
        }
        out[r] = static_cast<uint8_t>(p0);
        out[r + 8] = static_cast<uint8_t>(p1);
    }
    return out;
}

uint32_t rgbOf(const std::array<uint32_t, 64> &nesRgb, int n)
{
    if (n < 0 || n > 63)
        throw VbError("Subscript out of range");
    const uint32_t v = nesRgb[static_cast<size_t>(n)];
    // Stored as red + 256 green + 65536 blue.
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

std::string tileRgb(const TileRows &tile, const std::string &pal,
    const std::array<uint32_t, 64> &nesRgb, TileRgb &out)
{
    std::string failure;
    std::array<uint32_t, 4> c {};
    for (size_t k = 0; k < 4; ++k) {
        const int n = k < pal.size() ? static_cast<uint8_t>(pal[k]) : -1;
        if (n < 0 || n > 63) {
            if (failure.empty())
                failure = "Subscript out of range";
            continue;
        }
        c[k] = rgbOf(nesRgb, n);
    }
    for (size_t r = 0; r < 8; ++r)
        for (size_t col = 0; col < 8; ++col)
            out[8 * r + col] = c[tile[r][col] & 3u];
    return failure;
}

long long tileAt(const RomTables &g, int bank, int tile)
{
    if (tile < 0 || tile > 63 || bank < 0 || bank > 255)
        throw VbError("Subscript out of range");
    const long long base = g.chrBankPos[static_cast<size_t>(bank)];
    if (bank > g.maxChrBank || base <= 0)
        throw VbError("CHR bank " + num::hex2(bank) + " is not in the ROM file");
    return base + 16LL * tile;
}

void TileEdit::load(
    const RomTables &g, const ShownSection &at, const TileRef &tile, bool keepColours)
{
    if (!keepColours) {
        colL = 0;
        colR = 3;
    }
    bank = tile.tileBank & 0xFF;
    tileNum = tile.tileNum & 0xFF;
    bankTile = tileNum & 63;
    palNo = tile.tilePalNo & 3;
    const std::string &pal
        = g.palStr.at(static_cast<size_t>(at.curStage))
              .at(static_cast<size_t>(at.curSection))[static_cast<size_t>(palNo)];
    for (size_t k = 0; k < 4; ++k)
        tileCols[k] = k < pal.size() ? static_cast<uint8_t>(pal[k]) : 0;
    TileRows px;
    render::decodeTile(g.chrData[static_cast<size_t>(bank)][static_cast<size_t>(bankTile)], px);
    for (size_t r = 0; r < 8; ++r)
        for (size_t c = 0; c < 8; ++c)
            pixVal[8 * r + c] = px[r][c];
}

bool TileEdit::paint(int i, int button)
{
    if ((button != 1 && button != 2) || i < 0 || i > 63)
        return false;
    pixVal[static_cast<size_t>(i)] = button == 1 ? colL : colR;
    return true;
}

bool TileEdit::choose(int k, int button)
{
    if (k < 0 || k > 3)
        return false;
    if (button == 1)
        colL = static_cast<uint8_t>(k);
    else if (button == 2)
        colR = static_cast<uint8_t>(k);
    else
        return false;
    return true;
}

TileRows TileEdit::rows() const
{
    TileRows out {};
    for (size_t r = 0; r < 8; ++r)
        for (size_t c = 0; c < 8; ++c)
            out[r][c] = pixVal[8 * r + c];
    return out;
}

void saveTile(LoadedRom &g, const TileEdit &e, const render::ChrTile &was)
{
    const TileRows px = e.rows();
    const render::ChrTile chr = encodeTile(px);
    const long long at = tileAt(g, e.bank, e.bankTile);
    const std::vector<Patch> patches = changedBytes(
        { { at, Bytes(chr.begin(), chr.end()) } }, { { at, Bytes(was.begin(), was.end()) } });
    if (!patches.empty())
        g.rom.write(patches);
    g.chrData[static_cast<size_t>(e.bank)][static_cast<size_t>(e.bankTile)] = chr;
}

} // namespace blocks

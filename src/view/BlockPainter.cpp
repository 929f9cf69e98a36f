#include "view/BlockPainter.h"

#include "model/RomDocument.h"
#include "stage/StageData.h"
#include "ui/Controls.h"
#include "ui/ErrorText.h"
#include "ui/MsgBox.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int subTileDet = 165;
constexpr int subDrawBlock = 159;

} // namespace

BlockPainter::BlockPainter(RomDocument &romDoc) : romDoc(romDoc)
{
    romDoc.addListener(this);
}

BlockPainter::~BlockPainter()
{
    romDoc.removeListener(this);
}

// The shown section may draw the saved bank from several slots (a bank used twice, or one
// equal to a fixed one): its tiles are decoded again from every slot, as entering it does.
void BlockPainter::chrChanged(int tileset, int, int)
{
    changedTiles(tileset);
    if (tileset == romDoc.stages().curTileset())
        tileDet(tileset);
    m_pending.all = true;
    changed();
}

void BlockPainter::blocksChanged(int tileset, int block)
{
    if (tileset != romDoc.stages().curTileset())
        return;
    if (std::find(m_pending.blocks.begin(), m_pending.blocks.end(), block)
        == m_pending.blocks.end())
        m_pending.blocks.push_back(block);
    changed();
}

void BlockPainter::palettesChanged()
{
    m_pending.all = true;
    changed();
}

// The tiles are decoded from the new banks when the change is told, after the window that
// wrote them has closed.
void BlockPainter::patternsChanged(int stage, int section)
{
    if (stage != romDoc.shown().curStage || section != romDoc.shown().curSection)
        return;
    m_pending.all = true;
    m_pending.banks = true;
    changed();
}

void BlockPainter::changed()
{
    if (m_draws.depth == 0) {
        const Batch told(*this);
    }
}

void BlockPainter::tellChanges()
{
    if (!m_pending.all && m_pending.blocks.empty())
        return;
    const Pending p = std::exchange(m_pending, {});
    if (p.banks)
        tileDet(romDoc.stages().curTileset());
    if (p.all)
        emit everyBlockChanged(p.banks);
    else
        for (int block : p.blocks)
            emit blockChanged(block);
}

void BlockPainter::tileDet(int tileset)
{
    msg::step(romDoc, subTileDet, [&] {
        const auto &banks = romDoc.tables().patBG[static_cast<size_t>(romDoc.shown().curStage)]
                                                 [static_cast<size_t>(romDoc.shown().curSection)];
        render::TilePixels &out = m_tiles.at(static_cast<size_t>(tileset));
        Decoded &from = m_decoded.at(static_cast<size_t>(tileset));
        // A bank outside the table fails before anything changes.
        for (size_t k = 0; k < 4; ++k)
            (void)romDoc.tables().chrData.at(banks[k]);
        bool same = from.known && from.banks == banks;
        for (size_t tile = 0; same && tile < 256; ++tile)
            same = from.chr[tile] == romDoc.tables().chrData[banks[tile / 64]][tile % 64];
        if (same)
            return;
        from.known = false;
        ++from.generation;
        for (size_t tile = 0; tile < 256; ++tile) {
            from.chr[tile] = romDoc.tables().chrData[banks[tile / 64]][tile % 64];
            render::decodeTile(from.chr[tile], out[tile]);
        }
        from.banks = banks;
        from.known = true;
    });
}

const render::TilePixels &BlockPainter::tiles(int tileset) const
{
    return m_tiles.at(static_cast<size_t>(tileset));
}

render::TilePixels &BlockPainter::changedTiles(int tileset)
{
    Decoded &from = m_decoded.at(static_cast<size_t>(tileset));
    from.known = false;
    ++from.generation;
    return m_tiles.at(static_cast<size_t>(tileset));
}

void BlockPainter::drawBlock(ctl::ImageBox *target, int block, bool maskUpperHalf)
{
    if (!romDoc.stages().sectionRead(romDoc.shown().curStage, romDoc.shown().curSection)) {
        target->setPicture(QPixmap()); // nothing of the file to show
        return;
    }
    const auto s = static_cast<size_t>(romDoc.shown().curStage);
    const auto n = static_cast<size_t>(romDoc.shown().curSection);
    const auto ts
        = static_cast<size_t>(tilesetOf(romDoc.shown().curStage, romDoc.shown().curSection));
    const auto b = static_cast<size_t>(block & 0xFF);
    render::BlockInput in;
    in.tiles = &m_tiles.at(ts);
    in.tileNumbers = romDoc.tables().blockTiles[ts][b].data();
    in.quadrantPal = romDoc.tables().blockPal[ts][b].data();
    in.palettes = romDoc.tables().palStr[s][n].data();
    in.nesRgb = romDoc.tables().nesRgb.data();
    in.maskUpperHalf = maskUpperHalf;
    const BlockPictures::Picture &pic
        = m_pictures.get(in, static_cast<int>(ts), m_decoded[ts].generation, static_cast<int>(b));
    target->setPicture(pic.pixmap);
    const std::string &failure = pic.failure;
    if (m_draws.depth > 0) {
        ++m_draws.drawn;
        if (!failure.empty() && m_draws.failed++ == 0)
            m_draws.first = failure;
    } else if (!failure.empty()) {
        drawingBox(failure);
    }
}

void BlockPainter::drawingBox(const std::string &description)
{
    if (m_once && !m_once->first(description))
        return;
    msg::box(errtext::box("The program encountered an unexpected error while drawing.", description,
                 subDrawBlock, m_once ? reports::contOnce(errtext::cont) : errtext::cont),
        msg::Critical, errtext::title);
}

BlockPainter::Batch::Batch(BlockPainter &p) : p(p)
{
    if (p.m_draws.depth++ == 0)
        p.m_draws = { 1, 0, 0, {} };
}

// Each redraw ends by telling the changes heard meanwhile, so that their drawing counts in it;
// the outermost says once how many of its blocks could not be drawn.
BlockPainter::Batch::~Batch()
{
    try {
        msg::step(p.romDoc, subDrawBlock, [&] { p.tellChanges(); }); // a failed redraw says so
    } catch (...) { } // the box itself failed: nothing may leave a destructor
    if (--p.m_draws.depth > 0 || p.m_draws.failed == 0)
        return;
    const std::string description = p.m_draws.first + " (" + std::to_string(p.m_draws.failed)
        + " of the " + std::to_string(p.m_draws.drawn) + " blocks could not be drawn)";
    p.m_draws.failed = 0;
    try {
        p.drawingBox(description);
    } catch (...) { }
}

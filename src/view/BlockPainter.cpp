#include "view/BlockPainter.h"

#include "stage/StageData.h"
#include "ui/Controls.h"
#include "ui/ErrorText.h"
#include "ui/MsgBox.h"
#include "ui/Shared.h"

#include <QImage>
#include <QPixmap>

namespace {

constexpr int subTileDet = 165;
constexpr int subDrawBlock = 159;

} // namespace

void BlockPainter::tileDet(int tileset)
{
    msg::step(g, subTileDet, [&] {
        const auto &banks
            = g.patBG[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
        render::TilePixels &out = m_tiles.at(static_cast<size_t>(tileset));
        for (int tile = 0; tile < 256; ++tile) {
            const uint8_t bank = banks[static_cast<size_t>(tile / 64)];
            render::decodeTile(
                g.chrData.at(bank)[static_cast<size_t>(tile % 64)], out[static_cast<size_t>(tile)]);
        }
    });
}

void BlockPainter::drawBlock(ctl::ImageBox *target, int block, bool maskUpperHalf)
{
    const auto s = static_cast<size_t>(g.curStage);
    const auto n = static_cast<size_t>(g.curSection);
    const auto ts = static_cast<size_t>(tilesetOf(g.curStage, g.curSection));
    const auto b = static_cast<size_t>(block & 0xFF);
    render::BlockInput in;
    in.tiles = &m_tiles.at(ts);
    in.tileNumbers = g.blockTiles[ts][b].data();
    in.quadrantPal = g.blockPal[ts][b].data();
    in.palettes = g.palStr[s][n].data();
    in.nesRgb = g.nesRgb.data();
    in.maskUpperHalf = maskUpperHalf;
    render::BlockImage pixels;
    const std::string failure = render::drawBlock(in, pixels);
    QImage img(
        reinterpret_cast<const uchar *>(pixels.data()), 32, 32, 32 * 4, QImage::Format_RGB32);
    target->setPicture(QPixmap::fromImage(img.copy()));
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
    msg::box(errtext::box("The program encountered an unexpected error while drawing.", description,
                 subDrawBlock, errtext::cont),
        msg::Critical, errtext::title);
}

BlockPainter::Batch::Batch(BlockPainter &p) : p(p)
{
    if (p.m_draws.depth++ == 0)
        p.m_draws = { 1, 0, 0, {} };
}

// The outermost redraw says once how many of its blocks could not be drawn.
BlockPainter::Batch::~Batch()
{
    if (--p.m_draws.depth > 0 || p.m_draws.failed == 0)
        return;
    const std::string description = p.m_draws.first + " (" + std::to_string(p.m_draws.failed)
        + " of the " + std::to_string(p.m_draws.drawn) + " blocks drawn)";
    p.m_draws.failed = 0;
    try {
        p.drawingBox(description);
    } catch (...) { }
}

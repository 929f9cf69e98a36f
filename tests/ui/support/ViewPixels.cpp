#include "ui/support/ViewPixels.h"

#include "rom/Numbers.h"
#include "support/RomMap.h"
#include "ui/Controls.h"
#include "ui/support/MainView.h"
#include "ui/support/Named.h"

namespace viewpx {

QImage expectedBlock(const Program &p, const Bytes &rom, int block, bool masked)
{
    const ProgramState &g = *p.g;
    const auto &held = g.doc.tables().palStr[static_cast<size_t>(g.doc.shown().curStage)]
                                            [static_cast<size_t>(g.doc.shown().curSection)];
    SubPals pals {};
    for (size_t sp = 0; sp < 4; ++sp)
        for (size_t c = 0; c < 4; ++c)
            pals[sp][c] = static_cast<uint8_t>(held[sp][c]);
    return expectedBlock(p, rom, block, pals, masked);
}

QImage expectedBlock(
    const Program &p, const Bytes &rom, int block, const SubPals &pals, bool masked)
{
    const ProgramState &g = *p.g;
    const auto s = static_cast<size_t>(g.doc.shown().curStage);
    const auto n = static_cast<size_t>(g.doc.shown().curSection);
    const auto ts
        = static_cast<size_t>(expectedTileset(g.doc.shown().curStage, g.doc.shown().curSection));
    const Bytes pal = testPalette();
    QImage img(32, 32, QImage::Format_RGB32);
    for (int pos = 0; pos < 16; ++pos) {
        const int tile
            = g.doc.tables().blockTiles[ts][static_cast<size_t>(block)][static_cast<size_t>(pos)];
        const int q = (pos >= 8 ? 1 : 3) - ((pos % 4) >= 2 ? 1 : 0);
        const auto &colours
            = pals[g.doc.tables().blockPal[ts][static_cast<size_t>(block)][static_cast<size_t>(q)]];
        const long long chr = rb::chrBase
            + 1024LL * g.doc.tables().patBG[s][n][static_cast<size_t>(tile / 64)]
            + 16 * (tile % 64);
        for (int r = 0; r < 8; ++r) {
            const int lo = rb::at(rom, chr + r);
            const int hi = rb::at(rom, chr + r + 8);
            for (int c = 0; c < 8; ++c) {
                const int nes = colours[static_cast<size_t>(
                    ((lo >> (7 - c)) & 1) + 2 * ((hi >> (7 - c)) & 1))];
                QRgb rgb = qRgb(pal[3 * nes], pal[3 * nes + 1], pal[3 * nes + 2]);
                if (masked && pos < 8)
                    rgb = qRgb(0, 0, 0);
                img.setPixel((pos % 4) * 8 + c, (pos / 4) * 8 + r, rgb);
            }
        }
    }
    return img;
}

int blockAt(const Program &p, int k)
{
    const std::string &layout = p.t->layoutStr[static_cast<size_t>(p.g->doc.shown().curStage)]
                                              [static_cast<size_t>(p.g->doc.shown().curSection)];
    return static_cast<uint8_t>(layout.at(static_cast<size_t>(shownPos(*p.w, k))));
}

std::array<QImage, 48> pictures(const Program &p)
{
    std::array<QImage, 48> out;
    for (int k = 0; k < 48; ++k)
        out[static_cast<size_t>(k)] = named<ctl::ImageBox>(p.w.get(), "scr", k)
                                          ->picture()
                                          .toImage()
                                          .convertToFormat(QImage::Format_RGB32);
    return out;
}

QString mismatch(const Program &p, const Bytes &rom, bool topMasked)
{
    const std::array<QImage, 48> shown = pictures(p);
    for (int k = 0; k < 48; ++k) {
        const int b = blockAt(p, k);
        const QString tag = "&H" + QString::fromStdString(num::hex2(b));
        const QString cell = named<ctl::ImageBox>(p.w.get(), "scr", k)->Tag;
        if (cell != tag)
            return QString("cell %1 is tagged %2, not %3").arg(k).arg(cell, tag);
        if (shown[static_cast<size_t>(k)] != expectedBlock(p, rom, b, topMasked && k < 8))
            return QString("cell %1 does not show block %2 as it looks").arg(k).arg(b);
    }
    return {};
}

} // namespace viewpx

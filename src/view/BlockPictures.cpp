#include "view/BlockPictures.h"

#include <QImage>

#include <algorithm>
#include <cstring>

namespace {

// Sub-palette sets kept at once: as many as a stage has sections.
constexpr size_t keptPages = 21;

} // namespace

void BlockPictures::keyOf(const render::BlockInput &in, int tileset, uint32_t generation, Page &key)
{
    key.tileset = tileset;
    key.generation = generation;
    for (size_t sp = 0; sp < 4; ++sp) {
        const std::string &pal = in.palettes[sp];
        const size_t len = std::min<size_t>(pal.size(), 4);
        key.lengths[sp] = static_cast<uint8_t>(len);
        for (size_t v = 0; v < 4; ++v)
            key.palettes[4 * sp + v] = v < len ? static_cast<uint8_t>(pal[v]) : 0;
    }
    std::copy_n(in.nesRgb, 64, key.rgb.begin());
}

bool BlockPictures::sameKey(const Page &a, const Page &b)
{
    return a.tileset == b.tileset && a.generation == b.generation && a.palettes == b.palettes
        && a.lengths == b.lengths && a.rgb == b.rgb;
}

BlockPictures::Page &BlockPictures::page(
    const render::BlockInput &in, int tileset, uint32_t generation)
{
    keyOf(in, tileset, generation, m_key);
    if (!m_pages.empty() && sameKey(*m_pages.front(), m_key))
        return *m_pages.front();
    auto found = std::find_if(m_pages.begin(), m_pages.end(),
        [&](const std::unique_ptr<Page> &p) { return sameKey(*p, m_key); });
    if (found == m_pages.end()) {
        if (m_pages.size() == keptPages)
            m_pages.pop_back();
        auto fresh = std::make_unique<Page>();
        keyOf(in, tileset, generation, *fresh);
        m_pages.insert(m_pages.begin(), std::move(fresh));
        return *m_pages.front();
    }
    std::rotate(m_pages.begin(), found, found + 1);
    return *m_pages.front();
}

const BlockPictures::Picture &BlockPictures::get(
    const render::BlockInput &in, int tileset, uint32_t generation, int block)
{
    Page &p = page(in, tileset, generation);
    Def def;
    std::copy_n(in.tileNumbers, 16, def.begin());
    std::copy_n(in.quadrantPal, 4, def.begin() + 16);
    std::unique_ptr<Slot> &cell
        = p.cells[static_cast<size_t>(2 * (block & 0xFF) + (in.maskUpperHalf ? 1 : 0))];
    if (cell && cell->def == def)
        return cell->picture;
    if (!cell)
        cell = std::make_unique<Slot>();
    Slot &s = *cell;
    s.picture.failure = render::drawBlock(in, m_pixels);
    QImage img(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        std::memcpy(img.scanLine(y), m_pixels.data() + 32 * y, 32 * sizeof(uint32_t));
    s.picture.pixmap = QPixmap::fromImage(std::move(img));
    s.def = def;
    return s.picture;
}

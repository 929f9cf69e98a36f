#pragma once
#include "model/gfx/BlockRender.h"

#include <QPixmap>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The pictures of the blocks drawn lately. A section shows a few dozen blocks of one tileset in
// one set of sub-palettes, so a redraw hands out pictures made once instead of drawing them
// again. A picture is found by everything it is drawn from: the tileset and what its decoded
// tiles were decoded from (a generation that changes whenever they may have changed), the four
// sub-palettes, the colour table, the block's tile numbers and quadrant sub-palettes, and the
// mask. An edit of any of them leaves the old picture unfound, never shown.
class BlockPictures
{
public:
    struct Picture
    {
        QPixmap pixmap;
        std::string failure; // what render::drawBlock reported for it
    };

    // The picture of `block` drawn from `in` (whose tiles belong to `tileset` at `generation`),
    // made now if no picture drawn from the same inputs is kept.
    const Picture &get(const render::BlockInput &in, int tileset, uint32_t generation, int block);

private:
    using Def = std::array<uint8_t, 20>; // tile numbers, then quadrant sub-palettes
    struct Slot
    {
        Def def {};
        Picture picture;
    };
    struct Page
    {
        int tileset = -1;
        uint32_t generation = 0;
        std::array<uint8_t, 16> palettes {};
        std::array<uint8_t, 4> lengths {};
        std::array<uint32_t, 64> rgb {};
        std::array<std::unique_ptr<Slot>, 512> cells; // block * 2 + masked, made when first drawn
    };
    static void keyOf(const render::BlockInput &in, int tileset, uint32_t generation, Page &key);
    static bool sameKey(const Page &a, const Page &b);
    Page &page(const render::BlockInput &in, int tileset, uint32_t generation);

    std::vector<std::unique_ptr<Page>> m_pages; // the page used last first
    Page m_key;
    render::BlockImage m_pixels {};
};

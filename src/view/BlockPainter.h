#pragma once
#include "view/BlockRender.h"

#include <string>
#include <vector>

struct Shared;
namespace ctl {
class ImageBox;
} // namespace ctl

// Draws blocks of the current section into picture boxes, from the decoded tiles of each
// tileset. The blocks drawn during one redraw (nested redraws included) report their failures
// in one box when the outermost redraw ends, instead of one box a block.
class BlockPainter
{
public:
    explicit BlockPainter(Shared &g) : g(g) { }
    BlockPainter(const BlockPainter &) = delete;
    BlockPainter &operator=(const BlockPainter &) = delete;

    // Decodes the 256 background tiles of the current section into the slot of its tileset,
    // `tileset`.
    void tileDet(int tileset);
    // The block in the current section's tileset and palettes; `maskUpperHalf` blacks out its
    // upper half (the masked top row of a horizontal section).
    void drawBlock(ctl::ImageBox *target, int block, bool maskUpperHalf = false);
    render::TilePixels &tiles(int tileset) { return m_tiles.at(static_cast<size_t>(tileset)); }

    class Batch
    {
    public:
        explicit Batch(BlockPainter &p);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        BlockPainter &p;
    };

private:
    void drawingBox(const std::string &description);

    Shared &g;
    std::vector<render::TilePixels> m_tiles = std::vector<render::TilePixels>(15);
    struct Draws
    {
        int depth = 0;
        int drawn = 0;
        int failed = 0;
        std::string first; // the first failure's description
    } m_draws;
};

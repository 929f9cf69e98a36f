#pragma once
#include "model/RomDocument.h"
#include "model/gfx/BlockRender.h"
#include "ui/Reports.h"
#include "view/BlockPictures.h"

#include <QObject>

#include <string>
#include <vector>

namespace ctl {
class ImageBox;
} // namespace ctl

// Draws blocks of the current section into picture boxes, from the decoded tiles of each
// tileset. The blocks drawn during one redraw (nested redraws included) report their failures
// in one box when the outermost redraw ends, instead of one box a block.
// It hears the document's changes to what blocks are drawn from (tiles, blocks, colours, pattern
// banks) and tells the parts that show blocks to draw them again: at once, or, while a Batch is
// open (a side window's run), when it ends, so that the writes of one run draw once.
class BlockPainter : public QObject, private RomDocument::Listener
{
    Q_OBJECT
public:
    explicit BlockPainter(RomDocument &romDoc);
    ~BlockPainter() override;
    BlockPainter(const BlockPainter &) = delete;
    BlockPainter &operator=(const BlockPainter &) = delete;

    // Decodes the 256 background tiles of the current section into the slot of its tileset,
    // `tileset`, unless the slot holds them decoded from the same bytes already.
    void tileDet(int tileset);
    // The block in the current section's tileset and palettes; `maskUpperHalf` blacks out its
    // upper half (the masked top row of a horizontal section).
    void drawBlock(ctl::ImageBox *target, int block, bool maskUpperHalf = false);
    // Failures already shown since the load are not shown again (null: each is shown).
    void setShownOnce(ShownOnce *once) { m_once = once; }
    // The decoded tiles of a tileset, as blocks are drawn from them.
    const render::TilePixels &tiles(int tileset) const;

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

signals:
    // Every block of the shown section looks different; `banks`: its pattern banks changed.
    void everyBlockChanged(bool banks);
    // Block `block` of the shown section's tileset looks different.
    void blockChanged(int block);

private:
    // A saved tile: every slot of the tileset's decoded tiles that holds its bank takes it, and
    // the tileset's pictures are not shown again.
    void chrChanged(int tileset, int tileNum, int bank) override;
    void blocksChanged(int tileset, int block) override;
    void palettesChanged() override;
    void patternsChanged(int stage, int section) override;
    // The decoded tiles of a tileset, to change: its pictures drawn so far are not shown again,
    // and the next tileDet decodes it afresh.
    render::TilePixels &changedTiles(int tileset);
    // Tells of the changes heard, unless a Batch is open.
    void changed();
    void tellChanges();
    void drawingBox(const std::string &description);

    RomDocument &romDoc;
    ShownOnce *m_once = nullptr;
    std::vector<render::TilePixels> m_tiles = std::vector<render::TilePixels>(15);
    // What each tileset's slot was decoded from, and a generation that changes with its pixels.
    struct Decoded
    {
        bool known = false;
        std::array<uint8_t, 4> banks {};
        std::array<std::array<uint8_t, 16>, 256> chr {};
        uint32_t generation = 0;
    };
    std::vector<Decoded> m_decoded = std::vector<Decoded>(15);
    BlockPictures m_pictures;
    struct Draws
    {
        int depth = 0;
        int drawn = 0;
        int failed = 0;
        std::string first; // the first failure's description
    } m_draws;
    // Changes heard and not yet told.
    struct Pending
    {
        bool all = false;
        bool banks = false;
        std::vector<int> blocks;
    } m_pending;
};

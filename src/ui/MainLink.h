#pragma once
#include "model/gfx/BlockRender.h"

#include <functional>

struct StageTables;
namespace ctl {
class ImageBox;
} // namespace ctl

// What the side windows ask of the main window. The main window implements it, so a side window
// needs nothing of the main window's class.
class MainLink
{
public:
    virtual ~MainLink() = default;

    // The decoded background tiles of a tileset, as the level view draws them.
    virtual const render::TilePixels &tilePixels(int tileset) const = 0;
    virtual const StageTables &tables() const = 0;
    virtual void EditPalettes() = 0;
    // The pattern window was opened on the sprite banks; asking answers it, once.
    virtual bool takeSpriteBanksAsked() = 0;
    virtual bool spriteBanksAsked() const = 0;
    // Calls draw on every block picture the main window shows: the view's cells, the selector's
    // (when the Background mode is on or `selectorInEveryMode`), and the block being painted.
    virtual void forEachShownBlock(
        bool selectorInEveryMode, const std::function<void(ctl::ImageBox *, int)> &draw)
        = 0;
};

#pragma once
#include "ui/MainLink.h"

#include <QString>

class BlockPainter;
class BlockSelector;
class LevelView;
class QRadioButton;
class QWidget;
class StageDocument;
class RomDocument;
struct ProgramFiles;

// The side windows opened from the main window. They reach the main window only through this
// link; what they write is drawn again by the parts that show it, once a window closes.
class SideWindows : public MainLink
{
public:
    // What the side windows read, and the block pictures the palette editor previews on.
    struct Parts
    {
        RomDocument &romDoc;
        const ProgramFiles &files;
        BlockPainter &blocks;
        BlockSelector &selector;
        LevelView &view;
        QWidget *window;
        QRadioButton *optBg; // the Background mode is on
    };
    explicit SideWindows(const Parts &p);

    void cmdPattern_Click();
    void cmdEPat_Click();
    void cmdEPal_Click();
    void Damage();
    void BGM();
    void cmdMisc_Click();
    // A right press on the selector's cell of `block`: the block editor on it.
    void editBlock(int block);

    const render::TilePixels &tilePixels(int tileset) const override;
    const StageTables &tables() const override;
    void EditPalettes() override;
    bool takeSpriteBanksAsked() override;
    bool spriteBanksAsked() const override;
    void forEachShownBlock(
        bool selectorInEveryMode, const std::function<void(ctl::ImageBox *, int)> &draw) override;

private:
    RomDocument &romDoc;
    const ProgramFiles &files;
    StageDocument &doc;
    const StageTables &t;
    BlockPainter &m_blocks;
    BlockSelector *m_selector;
    LevelView *m_view;
    QWidget *m_window;
    QRadioButton *optBg;
    QString cmdEPatTag; // "Yeah" while the pattern window opens on the sprite banks
};

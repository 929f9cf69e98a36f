#pragma once
#include "ui/MainLink.h"

#include <QString>

class BlockPainter;
class BlockSelector;
class LevelView;
class QLineEdit;
class QRadioButton;
class QWidget;
class SectionProperties;
class StageDocument;
class RomDocument;
struct ProgramFiles;

// The side windows opened from the main window, and what the main window shows again after
// them. They reach the main window only through this link.
class SideWindows : public MainLink
{
public:
    // What the side windows read and what is drawn again after them.
    struct Parts
    {
        RomDocument &romDoc;
        const ProgramFiles &files;
        BlockPainter &blocks;
        BlockSelector &selector;
        LevelView &view;
        SectionProperties &props;
        QWidget *window;
        QRadioButton *optBg; // the Background mode is on
        QLineEdit *txtPat1;
        QLineEdit *txtPat2;
    };
    explicit SideWindows(const Parts &p);

    void cmdPattern_Click();
    void cmdEPat_Click();
    void cmdEPal_Click();
    void Damage();
    void BGM();
    void cmdMisc_Click();
    // A right press on the selector's cell `index`: the block editor on its block, then every
    // picture showing a changed block drawn again.
    void editBlock(int index, int block);

    render::TilePixels &tilePixels(int tileset) override;
    const StageTables &tables() const override;
    void EditPalettes() override;
    bool takeSpriteBanksAsked() override;
    bool spriteBanksAsked() const override;
    void forEachShownBlock(
        bool selectorInEveryMode, const std::function<void(ctl::ImageBox *, int)> &draw) override;

private:
    bool openBlockEditor(int tsaBlock);

    RomDocument &romDoc;
    const ProgramFiles &files;
    StageDocument &doc;
    const StageTables &t;
    BlockPainter &m_blocks;
    BlockSelector *m_selector;
    LevelView *m_view;
    SectionProperties *m_props;
    QWidget *m_window;
    QRadioButton *optBg;
    QLineEdit *txtPat1;
    QLineEdit *txtPat2;
    QString cmdEPatTag; // "Yeah" while the pattern window opens on the sprite banks
};

#pragma once
#include "objects/ModeHost.h"

#include <functional>

class BlockSelector;
class LevelView;
class QRadioButton;
class QWidget;
class StageDocument;
class RomDocument;
struct ProgramFiles;

// What the panels of the object modes ask of the main window, answered from its parts: the mode
// buttons, the level view's bars and cells, the read-outs, the selector's preview and the
// sprite buttons. An edit goes to the document; the window marks the section.
class PanelHost : public ModeHost
{
public:
    struct Parts
    {
        RomDocument &romDoc;
        const ProgramFiles &files;
        QWidget *client;
        LevelView &view;
        BlockSelector &selector;
        QRadioButton *optPu;
        QRadioButton *optSt;
        ReadOuts readOuts;
        QWidget *cmdEPal;
        QWidget *cmdEPat;
        std::function<void()> modified; // the window's mark of the shown section
        std::function<void()> reloadIfAsked;
    };
    explicit PanelHost(Parts parts) : p(std::move(parts)) { }

    Mode mode() const override;
    Bar hBar() const override;
    Bar vBar() const override;
    void setHBar(int value) override;
    void setVBar(int value) override;
    Hit hitAt(const QPoint &globalPos) const override;
    ReadOuts readOuts() const override { return p.readOuts; }
    ctl::ImageBox *choice() const override;
    void showSpriteButtons(bool on) override;
    void Modif() override { p.modified(); }
    bool objectEdit(const std::function<void(StageTables &)> &change) override;
    void reloadIfAsked() override { p.reloadIfAsked(); }

private:
    Parts p;
};

#pragma once
#include <QPointF>
#include <QRect>

#include <functional>

struct StageTables;

class QLineEdit;
class QPoint;
namespace ctl {
class ImageBox;
}

// What the panels of the two object modes need from the window they sit in: the mode shown,
// the level view's scroll bars and cells, the read-outs and the choice picture beside the view,
// the sprite buttons, and the section's modified mark. They know nothing else of the window.
class ModeHost
{
public:
    enum class Mode { Background, PowerUps, Misc };

    // A scroll bar of the view, and where it lies in the window's client area, in twips.
    struct Bar
    {
        int value = 0;
        int maximum = 0;
        bool enabled = false;
        QRect twips;
    };

    // The boxes under the view that tell what lies under the pointer.
    struct ReadOuts
    {
        QLineEdit *offset = nullptr;
        QLineEdit *val = nullptr;
        QLineEdit *patterns = nullptr;
        QLineEdit *pat1 = nullptr;
        QLineEdit *pat2 = nullptr;
    };

    // What lies under the pointer during a marker drag, and where the pointer is: in the client
    // area and inside what it is over, both in twips.
    struct Hit
    {
        enum Kind { Other, Cell, HBar, VBar, Choice, Client } kind = Other;
        int cell = -1;
        QPointF at;
        QPointF inside;
    };

    virtual Mode mode() const = 0;
    virtual Bar hBar() const = 0;
    virtual Bar vBar() const = 0;
    virtual void setHBar(int value) = 0;
    virtual void setVBar(int value) = 0;
    virtual Hit hitAt(const QPoint &globalPos) const = 0;
    virtual ReadOuts readOuts() const = 0;
    virtual ctl::ImageBox *choice() const = 0;
    virtual void showSpriteButtons(bool on) = 0;
    // Marks the shown section modified.
    virtual void Modif() = 0;
    // Runs `change` on the tables, the one way to write them; the shown section is marked only
    // when one of its object records changed. Returns whether one did.
    virtual bool objectEdit(const std::function<void(StageTables &)> &change) = 0;
    // Loads the ROM again when a window that found it changed on disk asked for it.
    virtual void reloadIfAsked() = 0;

protected:
    ~ModeHost() = default;
};

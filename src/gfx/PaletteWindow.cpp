#include "gfx/PaletteWindow.h"

#include "gfx/ColourBox.h"
#include "rom/Numbers.h"
#include "ui/Controls.h"
#include "ui/EditGuard.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/ViewText.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

PaletteWindow::PaletteWindow(
    RomDocument &romDoc, const ProgramFiles &files, QWidget *parent, int colourMoveSub)
    : QDialog(parent), romDoc(romDoc), files(files), colourMoveSub(colourMoveSub)
{
    setMouseTracking(true);
    editguard::install(
        this, [this] { return m_loaded && !changes().empty(); }, [this] { cmdOK_Click(); });
}

void PaletteWindow::label(const QString &text, int left, int top, int width)
{
    auto *l = new QLabel(text, this);
    l->setObjectName("Label1");
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    // One line high, so it ends where the boxes under it begin.
    look::place(l, left, top, width, 240);
}

QPushButton *PaletteWindow::button(
    const char *name, const char *caption, int left, int top, int width, int height)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(name);
    look::place(b, left, top, width, height);
    return b;
}

QListWidget *PaletteWindow::setList(int left, int top, int width, int height)
{
    boxSet = new QListWidget(this);
    boxSet->setObjectName("boxSet");
    look::place(boxSet, left, top, width, height);
    return boxSet;
}

void PaletteWindow::buildColours(int left, int top, int step, int size, int gap)
{
    for (int i = 0; i < 64; ++i) {
        auto *box = new ColourBox(this, "picColor", i);
        const int row = i / 16 + (i % 16 >= 8 ? 4 : 0);
        look::place(
            box, left + step * (i % 8), top + step * row + (row >= 4 ? gap : 0), size, size);
        picColor[static_cast<size_t>(i)] = box;
    }
}

void PaletteWindow::buildFooter(int left, int step, int top, int width)
{
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setAlignment(Qt::AlignCenter);
    Label2->resize(look::tw(450), look::tw(225));
    Label2->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label2->setVisible(false);
    cmdRestore = button("cmdRestore", "Restore", left, top, width, 375);
    cmdRevert = button("cmdRevert", "Revert", left + step, top, width, 375);
    cmdCancel = button("cmdCancel", "Cancel", left + 2 * step, top, width, 375);
    cmdOK = button("cmdOK", "Save", left + 3 * step, top, width, 375);
    tim = new QTimer(this);
    tim->setObjectName("tim");
    tim->setInterval(250);
}

void PaletteWindow::connectControls(std::span<ColourBox *const> pal)
{
    connect(boxSet, &QListWidget::currentRowChanged, this, [this] { boxSet_Click(); });
    for (ColourBox *b : pal) {
        b->onClick = [this](int i) { picPal_Click(i); };
        b->onMouseMove = [this](int i) { picPal_MouseMove(i); };
    }
    for (ColourBox *b : picColor) {
        b->onClick = [this](int i) { picColor_Click(i); };
        b->onMouseMove = [this](int i) { picColor_MouseMove(i); };
    }
    connect(tim, &QTimer::timeout, this, [this] { tim_Timer(); });
    connect(cmdAssign, &QPushButton::clicked, this, [this] { cmdAssign_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdRestore, &QPushButton::clicked, this, [this] { cmdRestore_Click(); });
    connect(cmdRevert, &QPushButton::clicked, this, [this] { cmdRevert_Click(); });
}

void PaletteWindow::run()
{
    Form_Load();
    tim->start();
    msg::execUnlessReload(*this, romDoc);
}

int PaletteWindow::release() const
{
    return romDoc.release();
}

void PaletteWindow::showColour(ColourBox *box, int colour)
{
    if (colour >= 0 && colour <= 63)
        box->setColour(romDoc.tables().nesRgb[static_cast<size_t>(colour)]);
    else
        box->setNoColour();
    box->Tag = viewtext::hex2(colour);
}

void PaletteWindow::hover(ColourBox *box, int dx, int dy)
{
    Label2->move(box->x() + look::tw(dx), box->y() + look::tw(dy));
    Label2->setText(box->Tag);
    Label2->raise();
    Label2->setVisible(true);
}

void PaletteWindow::listColoursAndSets(int count)
{
    for (int i = 0; i < 64; ++i)
        showColour(picColor[static_cast<size_t>(i)], i);
    const QSignalBlocker quiet(boxSet);
    boxSet->clear();
    for (int s = 0; s < count; ++s)
        boxSet->addItem("  " + viewtext::hex2(s));
}

void PaletteWindow::showAssigned()
{
    {
        const QSignalBlocker quiet(boxSet);
        boxSet->setCurrentRow(curSet >= 0 && curSet < boxSet->count() ? curSet : 0);
    }
    boxSet_Click();
    txtSet->setText(viewtext::hex2(curSet));
}

void PaletteWindow::assignListed()
{
    txtSet->setText(viewtext::hex2(boxSet->currentRow()));
    curSet = static_cast<int>(num::hexVal(txtSet->text().toStdString()));
}

void PaletteWindow::restoredBox(int set)
{
    msg::box("Palette Set #" + num::hex2(set) + " restored.", msg::Information, "Done!");
}

void PaletteWindow::setKeptBox(int kept, int chosen)
{
    msg::box("This section has no place for its palette set number in the ROM file, so it keeps "
             "set #"
            + num::hex2(kept) + ": set #" + num::hex2(chosen)
            + " was not assigned to it.\rThe colours were saved.",
        msg::Information, "Set not assigned");
}

void PaletteWindow::setLoaded(bool ok)
{
    m_loaded = ok;
    const QString why = ok ? QString() : "The ROM could not be read when the window opened.";
    for (QPushButton *b : { cmdOK, cmdRestore }) {
        b->setEnabled(ok);
        b->setToolTip(why);
    }
}

void PaletteWindow::picColor_MouseMove(int index)
{
    msg::step(
        romDoc, colourMoveSub, [&] { hover(picColor.at(static_cast<size_t>(index)), -40, 370); });
}

void PaletteWindow::Form_MouseMove()
{
    Label2->setVisible(false);
}

void PaletteWindow::mouseMoveEvent(QMouseEvent *e)
{
    Form_MouseMove();
    QDialog::mouseMoveEvent(e);
}

void PaletteWindow::cmdCancel_Click()
{
    reject();
}

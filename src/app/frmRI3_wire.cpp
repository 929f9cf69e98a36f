#include "app/FormKeys.h"
#include "app/SideWindows.h"
#include "app/frmRI3.h"
#include "objects/PowerUpPanel.h"
#include "special/MiscPanel.h"
#include "ui/Controls.h"
#include "ui/MsgBox.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <functional>

namespace {

// A button and its menu entry run the same handler.
void route(QObject *owner, QAbstractButton *button, QAction *entry, std::function<void()> f)
{
    if (button)
        QObject::connect(button, &QAbstractButton::clicked, owner, [f] { f(); });
    if (entry)
        QObject::connect(entry, &QAction::triggered, owner, [f] { f(); });
}

} // namespace

// Connects the controls of the window to their handlers.
void frmRI3::connectView()
{
    // A stage or section read from a file changed on disk may have asked to load it again.
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            Combo1Change();
        reloadIfAsked();
    });
    connect(Combo2, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            Combo2Change();
        reloadIfAsked();
    });
    connect(stagScroll, &QScrollBar::valueChanged, this, [this] { stagScroll_Change(); });
    connect(m_selector, &BlockSelector::editRequested, this, [this](int block) {
        m_side->editBlock(block);
        reloadIfAsked();
    });

    route(this, optBg, mnuBG, [this] { optBgClick(); });
    route(this, optPu, mnuPu, [this] { optPuClick(); });
    route(this, optSt, mnust, [this] { optStClick(); });
    route(this, cmdSave, mnuSave,
        [this] { saveBlock(romDoc.shown().curStage, romDoc.shown().curSection); });
    route(this, cmdSaveAll, mnuSaveAll, [this] { saveAll(); });
    route(this, cmdRevert, mnuRevert, [this] { Revert(); });
    route(this, cmdEmulator, nullptr, [this] { EmuLaunch(); });
    // The side windows; one that found the ROM file changed may have asked to load it again.
    auto sideRoute = [this](QAbstractButton *button, QAction *entry, void (SideWindows::*open)()) {
        route(this, button, entry, [this, open] {
            ((*m_side).*open)();
            reloadIfAsked();
        });
    };
    sideRoute(cmdPattern, mnuPatterns, &SideWindows::cmdPattern_Click);
    sideRoute(cmdEPat, nullptr, &SideWindows::cmdEPat_Click);
    sideRoute(cmdPalettes, mnuPalettes, &SideWindows::EditPalettes);
    sideRoute(cmdEPal, mnuSprites, &SideWindows::cmdEPal_Click);
    sideRoute(cmdDamage, mnuDamage, &SideWindows::Damage);
    sideRoute(cmdBGM, mnuBGM, &SideWindows::BGM);
    sideRoute(cmdMisc, mnuMisc, &SideWindows::cmdMisc_Click);

    connectLevelView();
    for (int i = 0; i < 15; ++i)
        connect(mnusta[static_cast<size_t>(i)], &QAction::triggered, this,
            [this, i] { mnusta_Click(i); });
    qApp->installEventFilter(this);
    new FormKeys(this, [this](int keyAscii) { Form_KeyPress(keyAscii); });
}

// A section that was not read from the ROM shows nothing of the file: the pointer over its
// view paints, picks and drags nothing there, and reads out nothing.
bool frmRI3::overUnreadSection(QObject *o, QEvent *e) const
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        break;
    default:
        return false;
    }
    if (!o->isWidgetType() || static_cast<QWidget *>(o)->window() != this
        || doc.sectionRead(romDoc.shown().curStage, romDoc.shown().curSection))
        return false;
    QWidget *client = centralWidget();
    const QPoint at
        = client->mapFromGlobal(static_cast<QMouseEvent *>(e)->globalPosition().toPoint());
    const QRect view = m_view->cell(0)->geometry().united(m_view->cell(47)->geometry());
    return view.contains(at);
}

bool frmRI3::eventFilter(QObject *o, QEvent *e)
{
    if (overUnreadSection(o, e))
        return true;
    // While a marker is dragged the pressed control keeps the mouse: its moves are the drag,
    // its release the drop, and nothing else sees them.
    if (markerDragging() && o->isWidgetType() && static_cast<QWidget *>(o)->window() == this
        && (e->type() == QEvent::MouseMove || e->type() == QEvent::MouseButtonRelease)) {
        const auto *me = static_cast<QMouseEvent *>(e);
        const QPoint global = me->globalPosition().toPoint();
        if (e->type() == QEvent::MouseMove && me->buttons() == Qt::NoButton)
            m_markers
                ->markerDragEnd(); // the release went elsewhere: the drag is over, nothing moves
        else if (e->type() == QEvent::MouseMove)
            m_markers->markerDragMove(global);
        else
            m_markers->markerDrop(global);
        return true;
    }
    if (o == centralWidget() && e->type() == QEvent::MouseMove)
        Form_MouseMove();
    return QMainWindow::eventFilter(o, e);
}

void frmRI3::mouseMoveEvent(QMouseEvent *e)
{
    Form_MouseMove();
    QMainWindow::mouseMoveEvent(e);
}

void frmRI3::mnusta_Click(int index)
{
    msg::step(romDoc, 131, [&] {
        for (QAction *a : mnusta)
            a->setChecked(false);
        mnusta[static_cast<size_t>(index)]->setChecked(true);
        Combo1->setCurrentIndex(index);
    });
}

// "-" and "+" step the bar of the current mode; the key still reaches a focused text box.
void frmRI3::Form_KeyPress(int keyAscii)
{
    if (keyAscii != '-' && keyAscii != '+')
        return;
    msg::step(romDoc, 116, [&] {
        QScrollBar *bar = nullptr;
        if (optBg->isChecked())
            bar = m_selector->stepBar();
        else if (optPu->isChecked())
            bar = pu().stepBar();
        else if (optSt->isChecked())
            bar = misc().stepBar();
        if (!bar)
            return;
        if (keyAscii == '-' && bar->value() != 0)
            bar->setValue(bar->value() - 1);
        if (keyAscii == '+' && bar->value() != bar->maximum())
            bar->setValue(bar->value() + 1);
    });
}

#include "app/Controls.h"
#include "app/MsgBox.h"
#include "app/frmRI3.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

// Connects the controls of the window to their handlers.
void frmRI3::connectView()
{
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            Combo1Change();
    });
    connect(Combo2, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            Combo2Change();
    });
    connect(stagScroll, &QScrollBar::valueChanged, this, [this] { stagScroll_Change(); });
    connect(scrscroll, &QScrollBar::valueChanged, this, [this] { ScrscrollChange(); });
    connect(scrvscroll, &QScrollBar::valueChanged, this, [this] { ScrvscrollChange(); });
    connect(selscroll, &QScrollBar::valueChanged, this, [this] { selectionChange(); });
    connect(cmbTime, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            cmbTime_Click();
    });
    connect(Combo3, &QComboBox::currentIndexChanged, this, [this] { Combo3_Click(); });
    connect(Combo4, &QComboBox::currentIndexChanged, this, [this] { Combo4_Click(); });

    connect(optBg, &QRadioButton::clicked, this, [this] { optBgClick(); });
    connect(optPu, &QRadioButton::clicked, this, [this] { optPuClick(); });
    connect(optSt, &QRadioButton::clicked, this, [this] { optStClick(); });
    connect(mnuBG, &QAction::triggered, this, [this] { optBgClick(); });
    connect(mnuPu, &QAction::triggered, this, [this] { optPuClick(); });
    connect(mnust, &QAction::triggered, this, [this] { optStClick(); });

    auto saveCurrent = [this] { saveBlock(g.curStage, g.curSection); };
    connect(cmdSave, &QPushButton::clicked, this, saveCurrent);
    connect(mnuSave, &QAction::triggered, this, saveCurrent);
    connect(cmdSaveAll, &QPushButton::clicked, this, [this] { saveAll(); });
    connect(mnuSaveAll, &QAction::triggered, this, [this] { saveAll(); });
    connect(cmdRevert, &QPushButton::clicked, this, [this] { Revert(); });
    connect(mnuRevert, &QAction::triggered, this, [this] { Revert(); });
    connect(cmdMirror, &QPushButton::clicked, this, [this] { cmdMirror_Click(); });
    connect(cmdEmulator, &QPushButton::clicked, this, [this] { EmuLaunch(); });

    // The side windows.
    connect(cmdPattern, &QToolButton::clicked, this, [this] { cmdPattern_Click(); });
    connect(mnuPatterns, &QAction::triggered, this, [this] { cmdPattern_Click(); });
    connect(cmdEPat, &QToolButton::clicked, this, [this] { cmdEPat_Click(); });
    connect(cmdPalettes, &QToolButton::clicked, this, [this] { EditPalettes(); });
    connect(mnuPalettes, &QAction::triggered, this, [this] { EditPalettes(); });
    connect(cmdEPal, &QToolButton::clicked, this, [this] { cmdEPal_Click(); });
    connect(mnuSprites, &QAction::triggered, this, [this] { cmdEPal_Click(); });
    connect(cmdDamage, &QToolButton::clicked, this, [this] { Damage(); });
    connect(mnuDamage, &QAction::triggered, this, [this] { Damage(); });
    connect(cmdBGM, &QToolButton::clicked, this, [this] { BGM(); });
    connect(mnuBGM, &QAction::triggered, this, [this] { BGM(); });
    connect(cmdMisc, &QToolButton::clicked, this, [this] { cmdMisc_Click(); });
    connect(mnuMisc, &QAction::triggered, this, [this] { cmdMisc_Click(); });

    for (ctl::ImageBox *cell : scr) {
        cell->onMouseDown = [this](int k, int b, double x, double y) { scr_MouseDown(k, b, x, y); };
        cell->onMouseMove = [this, cell](int k, int b, double x, double y) {
            if (m_painting)
                strokeMove(cell->mapToGlobal(QPointF(x / 15, y / 15)).toPoint());
            else
                scr_MouseMove(k, b, x, y);
        };
        cell->onMouseUp = [this](int, int, double, double) { endStroke(); };
    }
    for (ctl::ImageBox *cell : sel) {
        cell->onMouseDown = [this](int k, int b, double, double) { sel_MouseDown(k, b); };
        cell->onMouseMove = [this](int k, int, double, double) { sel_MouseMove(k); };
    }
    imgSel->onMouseMove = [this](int, int, double, double) { imgSel_MouseMove(); };
    connectModes();
    centralWidget()->installEventFilter(this);
    for (int i = 0; i < 15; ++i)
        connect(mnusta[static_cast<size_t>(i)], &QAction::triggered, this,
            [this, i] { mnusta_Click(i); });
    qApp->installEventFilter(this);
}

bool frmRI3::eventFilter(QObject *o, QEvent *e)
{
    // While a marker is dragged the pressed control keeps the mouse: its moves are the drag,
    // its release the drop, and nothing else sees them.
    if (markerDragging() && o->isWidgetType() && static_cast<QWidget *>(o)->window() == this
        && (e->type() == QEvent::MouseMove || e->type() == QEvent::MouseButtonRelease)) {
        const QPoint global = static_cast<QMouseEvent *>(e)->globalPosition().toPoint();
        if (e->type() == QEvent::MouseMove)
            markerDragMove(global);
        else
            markerDrop(global);
        return true;
    }
    if (o == centralWidget() && e->type() == QEvent::MouseMove)
        Form_MouseMove();
    // The window sees its keys before its controls do, and lets them through. A key a control
    // ignores travels on to its parents as the same event: it counts once, until its release.
    const bool mine = o->isWidgetType() && static_cast<QWidget *>(o)->window() == this;
    if (mine && e->type() == QEvent::KeyRelease)
        m_keyPending = nullptr;
    if (mine && e->type() == QEvent::KeyPress && e != m_keyPending) {
        m_keyPending = e;
        const QString text = static_cast<QKeyEvent *>(e)->text();
        if (text.size() == 1)
            Form_KeyPress(text[0].unicode());
    }
    return QMainWindow::eventFilter(o, e);
}

void frmRI3::mouseMoveEvent(QMouseEvent *e)
{
    Form_MouseMove();
    QMainWindow::mouseMoveEvent(e);
}

void frmRI3::mnusta_Click(int index)
{
    msg::step(g, 131, [&] {
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
    msg::step(g, 116, [&] {
        QScrollBar *bar = nullptr;
        const int16_t form
            = t.vertFlag[static_cast<size_t>(g.curStage)][static_cast<size_t>(g.curSection)];
        if (optBg->isChecked())
            bar = selscroll;
        else if (optPu->isChecked() && form == 0)
            bar = puScroll;
        else if (optSt->isChecked() && scrSt[2]->isEnabled())
            bar = scrSt[2];
        if (!bar)
            return;
        if (keyAscii == '-' && bar->value() != 0)
            bar->setValue(bar->value() - 1);
        if (keyAscii == '+' && bar->value() != bar->maximum())
            bar->setValue(bar->value() + 1);
    });
}

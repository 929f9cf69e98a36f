#include "ui/support/PresetWindows.h"
#include "objects/PanelControls.h"
#include "rom/Numbers.h"
#include "ui/Controls.h"
#include "ui/support/Named.h"
#include "ui/support/SideWindows.h"

#include <QComboBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

namespace presets {

void addReleases()
{
    QTest::addColumn<int>("release");
    QTest::newRow("US") << 0;
    QTest::newRow("Japanese") << 1;
}

// "Power-Up Byte Values", opened as a person opens it: the Power-Ups mode and the candles,
// then a right press on a power-up.
void openPu(Program &p, std::function<void(frmPuPresets *)> act)
{
    pointer::click(named<QRadioButton>(p.w.get(), "optPu"));
    pointer::click(named<ctl::ImageBox>(p.w.get(), "imgCandle", 0));
    side::openByRightPress<frmPuPresets>(named<ctl::ImageBox>(p.w.get(), "imgPu", 0), act);
}

// "Enemy Byte Values": the enemy holder kind, then a right press on the enemy list.
void openEn(Program &p, std::function<void(frmEnPresets *)> act)
{
    pointer::click(named<QRadioButton>(p.w.get(), "optPu"));
    pointer::click(named<ctl::ImageBox>(p.w.get(), "imgCandle", 3));
    side::openByRightPress<frmEnPresets>(named<EnemyList>(p.w.get(), "lstEnemy")->viewport(), act);
}

QString hex(int v)
{
    return QString::fromStdString(num::hex2(v));
}

// Page `page` of the window, reached with the page bar's arrows.
void toPage(PresetWindow *w, int page)
{
    while (w->scroll->value() != page) {
        const int was = w->scroll->value();
        side::arrow(w->scroll, page < was);
        QVERIFY(w->scroll->value() != was);
    }
}

QStringList rowTexts(const frmPuPresets *w, int i)
{
    const size_t n = static_cast<size_t>(i);
    return { w->cmbType[n]->currentText(), w->cmbLeft[n]->currentText(),
        w->cmbTop[n]->currentText(), w->cmbContent[n]->currentText() };
}

QStringList rowTexts(const frmEnPresets *w, int i)
{
    const size_t n = static_cast<size_t>(i);
    return { w->cmbType[n]->currentText(), w->cmbLeft[n]->currentText(),
        w->cmbTop[n]->currentText() };
}

// Which lists of row i can be used, in the order type, Left, Top (and content).
QList<bool> rowEnabled(const PresetWindow *w, int i, QComboBox *content)
{
    const size_t n = static_cast<size_t>(i);
    QList<bool> on { w->cmbType[n]->isEnabled(), w->cmbLeft[n]->isEnabled(),
        w->cmbTop[n]->isEnabled() };
    if (content)
        on << content->isEnabled();
    return on;
}

// Picks the entry with this text in the list, with the pointer.
void pickText(QComboBox *box, const QString &text)
{
    const int k = box->findText(text);
    QVERIFY2(k >= 0, qPrintable(text));
    side::pick(box, k);
}

} // namespace presets

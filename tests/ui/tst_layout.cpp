// Every window of the program, on the game-shaped ROM of both releases, as a person sees it:
// each control inside its window, none covered by another unless it is meant to be, every
// caption whole in the application's font. One failure lists every offender.
// scripts/screenshots takes a picture of each window on the same tour.
#include "gfx/ColourBox.h"
#include "ui/Look.h"
#include "ui/support/LayoutCheck.h"
#include "ui/support/WindowTour.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <cstdio>

namespace {

using layoutcheck::Overlap;

// Controls placed one over the other on purpose; the second stands on top.
const std::vector<Overlap> deliberate = {
    // The level view's overlays: the scroll-mask shapes hatch rows of the view; markers, the
    // column items with their enemy labels, and the selection frame stand on the view.
    { "frmRI3", "scr(*)", "highlight(*)" },
    { "frmRI3", "scr(*)", "PosPu(*)" },
    { "frmRI3", "scr(*)", "powerUp(*)" },
    { "frmRI3", "scr(*)", "lblEn(*)" },
    { "frmRI3", "scr(*)", "rectSelSt" },
    { "frmRI3", "highlight(*)", "PosPu(*)" },
    { "frmRI3", "highlight(*)", "powerUp(*)" },
    { "frmRI3", "highlight(*)", "lblEn(*)" },
    { "frmRI3", "highlight(*)", "rectSelSt" },
    // The frame lies under the marker it surrounds (its grey fill backs a holder's picture),
    // and an enemy's label stands on its item or marker.
    { "frmRI3", "rectSelSt", "PosPu(*)" },
    { "frmRI3", "rectSelSt", "lblEn(*)" },
    { "frmRI3", "powerUp(*)", "lblEn(*)" },
    { "frmRI3", "PosPu(*)", "lblEn(*)" },
    // Objects that lie close together in the game have markers that overlap.
    { "frmRI3", "PosPu(*)", "PosPu(*)" },
    // Markers at the view's edge reach onto its scroll bars; the bars stay on top, as markers
    // are dropped on them to move their objects to another screen.
    { "frmRI3", "PosPu(*)", "scrvscroll" },
    { "frmRI3", "PosPu(*)", "scrscroll" },
    // The frame that marks the selected quadrant's colour group is drawn around its boxes.
    { "frmEditTSA", "picPal3(*)", "palSh" },
    // The damage spinners stand at the window's x 128, inside the frames of their rows.
    { "frmHits", "Frame1", "hs1(*)" },
    { "frmHits", "Frame2", "hs1(*)" },
    { "frmHits2", "Frame1", "hs1(*)" },
    { "frmHits2", "Frame2", "hs1(*)" },
    // The splash's small picture and version label are drawn on its face.
    { "frmSplash", "face", "Image1" },
    { "frmSplash", "face", "Label1" },
};

} // namespace

class tst_layout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The look the program starts with: its font and style sheet decide what fits.
        look::applyTo(*qApp);
    }

    // The check itself, on a window with one fault of each kind and one of each thing it
    // must let pass, so that a check that sees nothing cannot pass the program.
    void theCheckFindsEachKindOfFault()
    {
        QDialog d;
        d.setObjectName("dlg");
        d.setFixedSize(200, 100);
        auto add = [&d](QWidget *w, const char *name, QRect at) {
            w->setParent(&d);
            w->setObjectName(name);
            w->setGeometry(at);
            return w;
        };
        add(new QLabel("Room enough"), "fits", QRect(0, 0, 120, 20));
        add(new QLabel("A caption much too long for its place"), "clipped", QRect(0, 20, 60, 20));
        auto *wrapped = new QLabel("Wraps on purpose onto lines enough");
        wrapped->setWordWrap(true);
        add(wrapped, "wrapped", QRect(0, 40, 90, 60));
        add(new QPushButton("Push"), "under", QRect(120, 0, 60, 25));
        add(new QCheckBox("Box"), "over", QRect(150, 10, 45, 20));
        add(new QFrame, "frame", QRect(130, 40, 60, 40));
        add(new QPushButton("Out"), "outside", QRect(170, 80, 60, 25));
        add(new QLabel, "marker", QRect(140, 50, 10, 10)); // meant to stand on the frame
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));

        const QStringList found = layoutcheck::faults(&d, "test", { { "dlg", "frame", "marker" } });
        auto has = [&found](const QString &start) {
            return std::any_of(found.begin(), found.end(),
                [&](const QString &f) { return f.startsWith("test: " + start); });
        };
        QVERIFY2(has("clipped text"), qPrintable(found.join('\n')));
        QVERIFY2(has("under is covered by over"), qPrintable(found.join('\n')));
        QVERIFY2(has("outside lies outside its window"), qPrintable(found.join('\n')));
        QCOMPARE(found.size(), 3);

        // A deliberate overlap in the wrong order is a fault too.
        const QStringList reversed
            = layoutcheck::faults(&d, "test", { { "dlg", "marker", "frame" } });
        QVERIFY(reversed.contains("test: marker must stand under frame, which it covers"));
    }

    // A box showing black on the black window still shows where it is.
    void aBlackColourBoxShowsOnTheBlackWindow()
    {
        QWidget window;
        ColourBox box(&window, "picPal", 0);
        box.setGeometry(0, 0, 25, 25);
        box.setColour(0);
        const QImage face = box.grab().toImage();
        QCOMPARE(face.pixelColor(12, 12), QColor(Qt::black));
        for (QPoint edge : { QPoint(0, 0), QPoint(24, 12), QPoint(12, 24) })
            QVERIFY2(qGray(face.pixel(edge)) > 40,
                qPrintable(QString("at %1, %2").arg(edge.x()).arg(edge.y())));
    }

    void everyWindowLooksRight_data() { tour::releaseRows(); }

    void everyWindowLooksRight()
    {
        QFETCH(int, release);
        QStringList faults;
        int seen = 0;
        tour::everyWindow(release, [&](const QString &state, QWidget *window) {
            ++seen;
            faults << layoutcheck::faults(window, state, deliberate);
            // Every list and read-out shows its texts whole.
            faults << layoutcheck::textFaults(window, state);
            if (window->objectName() != "frmRI3")
                return;
            // The main window keeps its one size, with no maximize box (a larger one would show
            // only black space).
            if (window->minimumSize() != window->maximumSize()
                || window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint))
                faults << state + ": the window can be enlarged";
        });
        QCOMPARE(seen, 23);
        // Qt Test shortens long messages: the whole list goes to the error stream.
        if (!faults.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(faults.join('\n')));
        QVERIFY2(
            faults.isEmpty(), qPrintable(QString("%1 faults, listed above").arg(faults.size())));
    }
};

QTEST_MAIN(tst_layout)
#include "tst_layout.moc"

#include "ui/PanelLayer.h"
#include "ui/support/Pointer.h"

#include <QPushButton>
#include <QtTest>

// A panel laid over the whole client area takes the pointer only where one of its controls is
// shown: elsewhere the click reaches what lies below, as if the panel were not there.
class tst_panellayer : public QObject
{
    Q_OBJECT
private slots:
    void clicksReachWhatLiesBetweenTheControls()
    {
        QWidget client;
        client.resize(300, 200);
        auto *below = new QPushButton("below", &client);
        below->setGeometry(20, 20, 80, 30);
        auto *layer = new PanelLayer(&client, "layer");
        auto *above = new QPushButton("above", layer);
        above->setGeometry(20, 20, 80, 30);
        above->setVisible(false);
        auto *elsewhere = new QPushButton("elsewhere", layer);
        elsewhere->setGeometry(150, 120, 80, 30);
        QSignalSpy belowClicks(below, &QPushButton::clicked);
        QSignalSpy aboveClicks(above, &QPushButton::clicked);
        QSignalSpy elsewhereClicks(elsewhere, &QPushButton::clicked);

        // The panel's shown control takes its clicks; its hidden one lets them through.
        pointer::click(below);
        QCOMPARE(belowClicks.count(), 1);
        pointer::click(elsewhere);
        QCOMPARE(elsewhereClicks.count(), 1);

        above->setVisible(true);
        pointer::click(below);
        QCOMPARE(aboveClicks.count(), 1);
        QCOMPARE(belowClicks.count(), 1);

        // A control moved away leaves its old place to what lies below.
        above->move(20, 120);
        pointer::click(below);
        QCOMPARE(belowClicks.count(), 2);
        QCOMPARE(aboveClicks.count(), 1);

        // With none of its controls shown, the panel takes no click at all.
        above->setVisible(false);
        elsewhere->setVisible(false);
        pointer::click(below);
        QCOMPARE(belowClicks.count(), 3);
    }

    // The panel follows the client's size, so a control placed in the grown part is reached.
    void followsTheClientsSize()
    {
        QWidget client;
        client.resize(200, 100);
        auto *layer = new PanelLayer(&client, "layer");
        auto *far = new QPushButton("far", layer);
        far->setGeometry(300, 150, 80, 30);
        QSignalSpy farClicks(far, &QPushButton::clicked);
        client.resize(400, 200);
        pointer::click(far);
        QCOMPARE(farClicks.count(), 1);
    }
};

QTEST_MAIN(tst_panellayer)
#include "tst_panellayer.moc"

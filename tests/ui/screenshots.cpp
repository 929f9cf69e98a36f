// Writes a picture of every window of the program, on the game-shaped ROM of both releases and
// in every state the layout test looks at, into the folder given as the argument:
// "us-main-horizontal-background.png", "jp-settings.png", ... Run by scripts/screenshots.
#include "ui/Look.h"
#include "ui/support/WindowTour.h"

#include <QApplication>
#include <QDir>
#include <QtTest>

#include <cstdio>

namespace {
QString g_folder;
}

class screenshots : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { look::applyTo(*qApp); }

    void everyWindow_data() { tour::releaseRows(); }

    void everyWindow()
    {
        QFETCH(int, release);
        QStringList unwritten;
        tour::everyWindow(release, [&](const QString &state, QWidget *window) {
            const QString file = QDir(g_folder).filePath(state + ".png");
            if (!window->grab().save(file))
                unwritten << file;
        });
        QVERIFY2(unwritten.isEmpty(), qPrintable("not written: " + unwritten.join(", ")));
    }
};

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots <folder>\n");
        return 2;
    }
    QApplication app(argc, argv);
    g_folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(g_folder)) {
        std::fprintf(stderr, "screenshots: cannot make the folder %s\n", argv[1]);
        return 1;
    }
    screenshots tour;
    return QTest::qExec(&tour, 1, argv);
}

#include "screenshots.moc"

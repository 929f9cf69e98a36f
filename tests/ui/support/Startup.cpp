#include "ui/support/Startup.h"

#include "rom/SettingsFile.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace startup {

namespace {
QPointer<QTimer> g_timer;
QPointer<QDialog> g_last;
} // namespace

void writeIni(
    const TempDir &dir, const std::string &rom, const std::string &backup, const std::string &emu)
{
    IniValues v;
    v.romPath = rom;
    v.backupPath = backup;
    v.emuPath = emu;
    ini::write(dir.file(ini::fileName), v);
}

void onModal(std::function<bool(QDialog *)> act)
{
    stopWatching();
    g_timer = new QTimer(qApp);
    g_timer->setInterval(0);
    QObject::connect(g_timer, &QTimer::timeout, [act] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || d == g_last)
            return;
        g_last = d;
        if (!act(d))
            stopWatching();
    });
    g_timer->start();
}

void stopWatching()
{
    if (g_timer)
        g_timer->deleteLater();
    g_timer = nullptr;
    g_last = nullptr;
}

} // namespace startup

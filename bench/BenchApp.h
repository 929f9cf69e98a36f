#pragma once
#include <QApplication>

// The one offscreen application every window benchmark runs in.
inline QApplication &benchApp()
{
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "vorlig_bench";
        static char *argv[] = { name, nullptr };
        return new QApplication(argc, argv);
    }();
    return *app;
}

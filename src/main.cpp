#include "app/Look.h"
#include "app/Shared.h"
#include "app/frmRI3.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    look::applyTo(app);
    Shared g;
    g.programDir = QCoreApplication::applicationDirPath().toStdString();
    frmRI3 w(g);
    w.Form_Load();
    w.show();
    return app.exec();
}

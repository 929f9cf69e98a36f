#include "ui/Look.h"
#include "ui/Shared.h"
#include "app/frmRI3.h"
#include "stage/StageTables.h"

#include <memory>

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    look::applyTo(app);
    auto shared = std::make_unique<Shared>();
    Shared &g = *shared;
    g.programDir = QCoreApplication::applicationDirPath().toStdString();
    auto tables = std::make_unique<StageTables>();
    frmRI3 w(g, *tables);
    w.Form_Load();
    w.show();
    return app.exec();
}

#include "app/frmRI3.h"
#include "stage/Document.h"
#include "ui/Look.h"
#include "ui/Shared.h"

#include <memory>

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    look::applyTo(app);
    auto shared = std::make_unique<Shared>();
    Shared &g = *shared;
    g.files.programDir = QCoreApplication::applicationDirPath().toStdString();
    frmRI3 w(g, g.doc.stages());
    w.Form_Load();
    w.show();
    return app.exec();
}

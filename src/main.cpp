#include "app/frmRI3.h"
#include "model/RomDocument.h"
#include "stage/Document.h"
#include "ui/Look.h"
#include "ui/Paths.h"

#include <memory>

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    look::applyTo(app);
    // The program's files and the ROM document outlive the main window.
    auto files = std::make_unique<ProgramFiles>();
    auto romDoc = std::make_unique<RomDocument>(*files);
    files->programDir = paths::programFolder();
    frmRI3 w(*romDoc, *files);
    w.Form_Load();
    w.show();
    return app.exec();
}

// An empty main window with a menu bar, its client area the size of the editor's (760 x 530):
// what the editor's start is compared with.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow w;
    for (const char *menu : { "File", "Edit", "View", "Stage", "Help" })
        w.menuBar()->addMenu(menu);
    auto *client = new QWidget(&w);
    client->setFixedSize(760, 530);
    w.setCentralWidget(client);
    w.show();
    return app.exec();
}

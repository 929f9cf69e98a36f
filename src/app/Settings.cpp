#include "app/Settings.h"

Settings::Settings(Shared &g, QWidget *mainWindow, QWidget *parent)
    : QDialog(parent), g(g), m_main(mainWindow)
{
    setObjectName("Settings");
    setWindowTitle("Vorlig File Settings");
}

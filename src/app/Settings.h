#pragma once
#include "app/Shared.h"

#include <QDialog>

// "Vorlig File Settings": the ROM, backup ROM and emulator paths.
class Settings : public QDialog
{
    Q_OBJECT
public:
    // mainWindow gets the caption "Vorlig" when a Japanese ROM is accepted.
    Settings(Shared &g, QWidget *mainWindow, QWidget *parent = nullptr);

private:
    Shared &g;
    QWidget *m_main;
};

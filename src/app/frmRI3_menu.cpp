#include "app/frmRI3.h"

#include <QAction>
#include <QMenuBar>

void frmRI3::buildMenus()
{
    setupMenus(menuBar());
    connect(mnuReadme, &QAction::triggered, this, [this] { m_help.mnuReadme_Click(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { m_help.mnuAbout_Click(); });
    connect(mnuspl, &QAction::triggered, this, [this] { m_help.mnuspl_Click(); });
    connect(mnuQuit, &QAction::triggered, this, [this] { mnuQuit_Click(); });
    connectFrame();
}

#include "app/frmRI3.h"

#include "app/frmAbout.h"
#include "app/frmReadme.h"

#include <QAction>
#include <QMenuBar>

void frmRI3::buildMenus()
{
    setupMenus(menuBar());
    connect(mnuReadme, &QAction::triggered, this, [this] { mnuReadme_Click(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { mnuAbout_Click(); });
    connect(mnuspl, &QAction::triggered, this, [this] { mnuspl_Click(); });
    connect(mnuQuit, &QAction::triggered, this, [this] { mnuQuit_Click(); });
    connectFrame();
}

// One readme window at a time: asking again brings the open one to the front.
void frmRI3::mnuReadme_Click()
{
    if (m_readme && m_readme->isVisible()) {
        m_readme->showNormal();
        m_readme->raise();
        m_readme->activateWindow();
        return;
    }
    auto *w = new frmReadme(g, this);
    if (!w->Form_Load()) {
        delete w;
        return;
    }
    m_readme = w;
    w->show();
}

void frmRI3::mnuAbout_Click()
{
    auto *w = new frmAbout(this);
    w->show();
    w->activateWindow();
}

void frmRI3::mnuspl_Click()
{
    showSplash();
}

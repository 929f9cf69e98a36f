#include "app/HelpWindows.h"
#include "app/frmAbout.h"
#include "app/frmReadme.h"
#include "app/frmSplash.h"

// One readme window at a time: asking again brings the open one to the front.
void HelpWindows::mnuReadme_Click()
{
    if (m_readme && m_readme->isVisible()) {
        m_readme->showNormal();
        m_readme->raise();
        m_readme->activateWindow();
        return;
    }
    auto *w = new frmReadme(romDoc, files, m_main);
    if (!w->Form_Load()) {
        delete w;
        return;
    }
    m_readme = w;
    w->show();
}

void HelpWindows::mnuAbout_Click()
{
    auto *w = new frmAbout(m_main);
    w->show();
    w->activateWindow();
}

void HelpWindows::showSplash()
{
    if (!m_splash)
        m_splash = new frmSplash(romDoc, m_main); // owned by the window whose state it reads
    m_splash->Form_Load();
    m_splash->show();
    m_splash->raise();
    m_splash->activateWindow();
}

void HelpWindows::showSplashForLoad()
{
    showSplash();
    m_splash->paintNow();
}

void HelpWindows::holdSplash(bool on)
{
    if (m_splash)
        m_splash->hold(on && m_splash->isVisible());
}

void HelpWindows::closeSplash()
{
    if (!m_splash)
        return;
    m_splash->hold(false);
    m_splash->close();
}

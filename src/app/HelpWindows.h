#pragma once
#include <QPointer>

class QWidget;
class frmReadme;
class frmSplash;
class RomDocument;
struct ProgramFiles;

// The windows of the Help menu and the splash shown while a ROM loads. One readme window at a
// time; the splash belongs to the main window, whose state it reads.
class HelpWindows
{
public:
    HelpWindows(RomDocument &romDoc, const ProgramFiles &files, QWidget *main)
        : romDoc(romDoc), files(files), m_main(main)
    { }

    void mnuReadme_Click();
    void mnuAbout_Click();
    // The event loop goes on at once and paints it.
    void mnuspl_Click() { showSplash(); }
    // Shown and painted before the caller goes on loading.
    void showSplashForLoad();
    // Keeps the shown splash up through a load (see frmSplash::hold); false lets it go again.
    void holdSplash(bool on);
    void closeSplash();
    frmSplash *splash() const { return m_splash; }

private:
    void showSplash();

    RomDocument &romDoc;
    const ProgramFiles &files;
    QWidget *m_main;
    frmSplash *m_splash = nullptr;
    QPointer<frmReadme> m_readme; // closing deletes it
};

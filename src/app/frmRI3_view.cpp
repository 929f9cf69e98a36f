// The main window's client area: the controls beside the view, and its parts.
#include "app/PanelHost.h"
#include "app/SectionProperties.h"
#include "app/SideWindows.h"
#include "app/frmRI3.h"
#include "objects/MarkerLayer.h"
#include "objects/PowerUpPanel.h"
#include "special/MiscPanel.h"
#include "ui/Look.h"
#include "view/BlockSelector.h"
#include "view/LevelView.h"

#include <QToolButton>

void frmRI3::buildView()
{
    auto *client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(look::tw(11400), look::tw(7950));
    client->setMouseTracking(true);
    setCentralWidget(client);

    setupModeButtons(client);
    m_selector = new BlockSelector(client, romDoc, files, m_blocks);
    m_view = new LevelView(client, romDoc, m_blocks, *m_selector);
    setupSectionControls(client);
    m_props = new SectionProperties(client, romDoc, files);
    setupCommands(client);
    m_selector->setReadOuts(txtOffset, txtVal);
    m_view->setReadOuts(txtOffset, txtVal);
    buildModes();
    m_side = std::make_unique<SideWindows>(SideWindows::Parts {
        romDoc, files, m_blocks, *m_selector, *m_view, *m_props, this, optBg, txtPat1, txtPat2 });
    // Buttons stand above the captions and notes that share their place.
    for (QWidget *b : { static_cast<QWidget *>(cmdEPal), static_cast<QWidget *>(cmdEPat) })
        b->raise();
}

// The markers over the view, the Power-Ups and Enemies panel and the Miscellaneous panel, all
// hidden while the window starts in the Background mode.
void frmRI3::buildModes()
{
    QWidget *client = centralWidget();
    m_host = std::make_unique<PanelHost>(PanelHost::Parts { romDoc, files, client, *m_view,
        *m_selector, optPu, optSt, { txtOffset, txtVal, txtPatterns, txtPat1, txtPat2 }, cmdEPal,
        cmdEPat, [this] { Modif(); }, [this] { reloadIfAsked(); } });
    m_markers = std::make_unique<MarkerLayer>(romDoc, t, *m_host, client);
    m_pu = new PowerUpPanel(romDoc, files, t, *m_host, *m_markers, client);
    m_misc = new MiscPanel(romDoc, files, t, *m_host, *m_markers, client);
    m_markers->setOwners(m_pu, m_misc);
}

bool frmRI3::markerDragging() const
{
    return m_markers->markerDragging();
}

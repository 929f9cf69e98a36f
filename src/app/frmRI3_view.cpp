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

#include <QLayout>
#include <QToolButton>

void frmRI3::buildView()
{
    auto *client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(look::tw(11400), look::tw(7950));
    client->setMouseTracking(true);
    setCentralWidget(client);
    // The controls stand where the design put them: a larger window would add only black
    // space, so the window keeps the one size and offers no maximize box.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    setupModeButtons(client);
    m_selector = new BlockSelector(client, romDoc, files, m_blocks);
    m_view = new LevelView(client, romDoc, m_blocks, *m_selector);
    setupSectionControls(client);
    m_props = new SectionProperties(client, romDoc, files);
    setupCommands(client);
    m_selector->setReadOuts(txtOffset, txtVal);
    m_view->setReadOuts(txtOffset, txtVal);
    m_host = std::make_unique<PanelHost>(PanelHost::Parts { romDoc, files, client, *m_view,
        *m_selector, optPu, optSt, { txtOffset, txtVal, txtPatterns, txtPat1, txtPat2 }, cmdEPal,
        cmdEPat, [this] { Modif(); }, [this] { reloadIfAsked(); } });
    m_side = std::make_unique<SideWindows>(
        SideWindows::Parts { romDoc, files, m_blocks, *m_selector, *m_view, this, optBg });
    // Buttons stand above the captions and notes that share their place.
    for (QWidget *b : { static_cast<QWidget *>(cmdEPal), static_cast<QWidget *>(cmdEPat) })
        b->raise();
}

// The markers over the view, the Power-Ups and Enemies panel and the Miscellaneous panel, made
// when one of their modes is first shown: the window starts in the Background mode, where none
// of them shows. They stand where they would have stood had they been made with the window:
// in the order made, under the sprite buttons.
void frmRI3::buildModes()
{
    if (m_markers)
        return;
    QWidget *client = centralWidget();
    const QObjectList before = client->children();
    m_markers = std::make_unique<MarkerLayer>(romDoc, t, *m_host, client);
    m_pu = new PowerUpPanel(romDoc, files, t, *m_host, *m_markers, client);
    m_misc = new MiscPanel(romDoc, files, t, *m_host, *m_markers, client);
    m_markers->setOwners(m_pu, m_misc);
    const QObjectList made = client->children(); // a copy: stacking reorders the list
    for (QObject *o : made)
        if (o->isWidgetType() && !before.contains(o))
            static_cast<QWidget *>(o)->stackUnder(cmdEPal);
    for (PanelLayer *layer : { static_cast<PanelLayer *>(m_pu), static_cast<PanelLayer *>(m_misc) })
        layer->show();
    m_pu->fillEnemyList(); // as the sections shown since the load would have left it
}

PowerUpPanel &frmRI3::pu()
{
    buildModes();
    return *m_pu;
}

MiscPanel &frmRI3::misc()
{
    buildModes();
    return *m_misc;
}

MarkerLayer &frmRI3::markers()
{
    buildModes();
    return *m_markers;
}

bool frmRI3::markerDragging() const
{
    return m_markers && m_markers->markerDragging();
}

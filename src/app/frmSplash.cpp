#include "app/frmSplash.h"

#include "ui/Look.h"
#include "ui/MsgBox.h"
#include "ui/Pictures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QWindow>

frmSplash::frmSplash(RomDocument &romDoc, QWidget *parent) : QWidget(parent), romDoc(romDoc)
{
    setObjectName("frmSplash");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *face = new QLabel(this);
    face->setObjectName("face");
    face->setPixmap(pictures::splashFace());
    face->setGeometry(1, 1, 510, 367);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(pictures::splashSmall());
    Image1->setGeometry(0, 0, 179, 139);
    Label1 = new QLabel("v 1.1", this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet("color: white; background: transparent;");
    for (QWidget *w : { static_cast<QWidget *>(face), static_cast<QWidget *>(Image1),
             static_cast<QWidget *>(Label1) })
        w->installEventFilter(this);
}

void frmSplash::Form_Load()
{
    msg::step(romDoc, 669, [&] {
        setFixedSize(512, 369);
        Label1->setGeometry(
            width() - look::tw(675), height() - look::tw(345), look::tw(675), look::tw(345));
        look::centre(this);
    });
}

// Loading holds the event loop for its whole length, so the splash would stand on screen unpainted
// until it ends: wait (briefly) for the window system to put it on screen, which paints it.
void frmSplash::paintNow()
{
    QElapsedTimer clock;
    clock.start();
    while (isVisible() && windowHandle() && !windowHandle()->isExposed() && clock.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    if (!windowHandle() || !windowHandle()->isExposed())
        repaint(); // not on screen yet: painted at least, shown as soon as it is
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmSplash::closeIfLoaded()
{
    if (!m_held && !romDoc.romVer().empty()) {
        m_wasActive = false;
        close();
    }
}

void frmSplash::hold(bool on)
{
    m_held = on;
    msg::setOwner(on ? this : nullptr);
}

void frmSplash::mousePressEvent(QMouseEvent *)
{
    closeIfLoaded();
}

void frmSplash::mouseDoubleClickEvent(QMouseEvent *)
{
    closeIfLoaded();
}

void frmSplash::changeEvent(QEvent *e)
{
    // Switching to another window closes it, once it has been the active one.
    if (e->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            m_wasActive = true;
        else if (m_wasActive && isVisible())
            closeIfLoaded();
    }
    QWidget::changeEvent(e);
}

bool frmSplash::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
        closeIfLoaded();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

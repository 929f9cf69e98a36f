#include "app/frmAbout.h"

#include "ui/Look.h"
#include "ui/Pictures.h"

#include <QEvent>
#include <QLabel>

frmAbout::frmAbout(QWidget *parent) : QWidget(parent)
{
    setObjectName("frmAbout");
    setWindowTitle("About");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto *face = new QLabel(this);
    face->setObjectName("face");
    face->setPixmap(pictures::aboutFace());
    face->setGeometry(4, 4, 211, 220);
    face->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(219, 228);
    look::centre(this);
}

void frmAbout::mousePressEvent(QMouseEvent *)
{
    hide();
}

void frmAbout::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        close();
    QWidget::changeEvent(e);
}

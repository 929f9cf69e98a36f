#include "app/frmRI3.h"

#include "tables/frmBGM.h"
#include "tables/frmHits.h"
#include "tables/frmMisc.h"

#include <QApplication>

void frmRI3::Damage()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (g.romVer != "0") {
        frmHits2 w(g, this, this);
        w.exec();
    } else {
        frmHits w(g, this, this);
        w.exec();
    }
}

void frmRI3::BGM()
{
    frmBGM w(g, this);
    w.exec();
}

void frmRI3::cmdMisc_Click()
{
    frmMisc w(g, this);
    w.exec();
}

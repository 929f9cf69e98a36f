#pragma once
#include "model/RomDocument.h"

#include <QWidget>

class QLabel;

// Shown while a ROM loads; a click closes it only once a release is known and the load is over.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(RomDocument &romDoc, QWidget *parent = nullptr);
    void Form_Load();
    void closeIfLoaded();
    // While a load holds it, neither a click nor another window's activation closes it, and the
    // load's boxes stand above it.
    void hold(bool on);
    // Puts the shown splash on screen painted before the caller goes on.
    void paintNow();

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;

protected:
    void mousePressEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    RomDocument &romDoc;
    bool m_wasActive = false;
    bool m_held = false;
};

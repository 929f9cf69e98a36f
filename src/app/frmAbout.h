#pragma once
#include <QWidget>

// A picture that goes away on a click or when another window becomes active.
class frmAbout : public QWidget
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *) override;
    void changeEvent(QEvent *e) override;
};

#pragma once
#include <QScrollBar>

class QPainter;

// A small scroll bar used as an up/down control whose range runs from its highest value at
// the left or top end to its lowest at the other, so the left or up arrow raises the number.
// The bar's own value counts from the high end; spin() is the number shown.
class Spinner : public QScrollBar
{
    Q_OBJECT
public:
    Spinner(Qt::Orientation o, int low, int high, QWidget *parent, const QString &name);

    int spin() const { return m_high - value(); }
    void setSpin(int v) { setValue(m_high - v); } // kept within the range

signals:
    void spinChanged(int v);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    static void drawArrow(QPainter &p, const QRect &r, bool up, const QColor &c);

    int m_high;
};

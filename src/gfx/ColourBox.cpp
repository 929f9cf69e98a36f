#include "gfx/ColourBox.h"

#include "ui/Controls.h"

#include <QMouseEvent>
#include <QPainter>

QColor nesColour(uint32_t rgb)
{
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
        static_cast<int>((rgb >> 16) & 0xFF));
}

ColourBox::ColourBox(QWidget *parent, const QString &name, int index)
    : QWidget(parent), m_index(index)
{
    setObjectName(QString("%1(%2)").arg(name).arg(index));
    setMouseTracking(true);
}

void ColourBox::setColour(uint32_t rgb)
{
    setBackColor(nesColour(rgb));
}

void ColourBox::setBackColor(const QColor &c)
{
    m_colour = c;
    m_none = false;
    update();
}

void ColourBox::setNoColour()
{
    m_colour = Qt::black;
    m_none = true;
    update();
}

void ColourBox::setBorderStyle(int b)
{
    m_border = b;
    update();
}

void ColourBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_colour);
    if (m_none) {
        p.setPen(QPen(QColor(255, 231, 163), 1));
        p.drawLine(rect().topLeft(), rect().bottomRight());
        p.drawLine(rect().topRight(), rect().bottomLeft());
    }
    // A thin frame of the window's border colour, so a black box shows on the black window.
    p.setPen(QPen(QColor(128, 115, 80), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_border == 1) {
        p.setPen(QPen(QColor(255, 231, 163), 2));
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void ColourBox::mousePressEvent(QMouseEvent *e)
{
    if (onPress)
        onPress(m_index, ctl::buttonsOf(e->button()));
    if (e->button() == Qt::LeftButton && onClick)
        onClick(m_index);
}

void ColourBox::mouseMoveEvent(QMouseEvent *e)
{
    if (onMouseMove)
        onMouseMove(m_index);
    e->accept(); // the window's background handler hides the read-out; a box keeps it
}

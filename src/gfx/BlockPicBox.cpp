#include "gfx/BlockPicBox.h"

#include "app/Controls.h"

#include <QMouseEvent>
#include <QPainter>

namespace blocks {

QColor rgbColour(uint32_t rgb)
{
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
        static_cast<int>(rgb & 0xFF));
}

PicBox::PicBox(QWidget *parent, const QString &name, int index) : QWidget(parent), m_index(index)
{
    setObjectName(index < 0 ? name : QString("%1(%2)").arg(name).arg(index));
}

void PicBox::setBackColor(const QColor &c)
{
    m_back = c;
    update();
}

void PicBox::setPicture(const QPixmap &pm)
{
    m_picture = pm;
    update();
}

void PicBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_back);
    if (m_picture.isNull())
        return;
    if (m_stretch) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.drawPixmap(rect(), m_picture);
    } else {
        p.drawPixmap(0, 0, m_picture);
    }
}

void PicBox::mousePressEvent(QMouseEvent *e)
{
    if (onMouseDown)
        onMouseDown(m_index, ctl::buttonsOf(e->buttons()));
}

void PicBox::mouseMoveEvent(QMouseEvent *e)
{
    if (onMouseMove)
        onMouseMove(m_index, e->globalPosition().toPoint());
}

void PicBox::mouseReleaseEvent(QMouseEvent *e)
{
    if (onMouseUp)
        onMouseUp(m_index, ctl::buttonsOf(e->button()));
}

} // namespace blocks

#include "gfx/BlockPicBox.h"

namespace blocks {

QColor rgbColour(uint32_t rgb)
{
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
        static_cast<int>(rgb & 0xFF));
}

PicBox::PicBox(QWidget *parent, const QString &name, int index) : ctl::ImageBox(parent, name, index)
{
    setMouseTracking(false);
    setStretch(false);
    setBackColor(Qt::black);
}

} // namespace blocks

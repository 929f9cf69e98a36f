#pragma once
#include "ui/Controls.h"

#include <cstdint>

// A picture box of the block and tile editors: an image box with a back colour (black until
// set), its picture drawn unscaled in the top-left corner, and mouse moves only while a button
// is down.
namespace blocks {

class PicBox : public ctl::ImageBox
{
    Q_OBJECT
public:
    PicBox(QWidget *parent, const QString &name, int index = -1);
};

// 0xRRGGBB as a colour.
QColor rgbColour(uint32_t rgb);

} // namespace blocks

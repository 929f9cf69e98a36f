#pragma once
#include <QPixmap>
#include <QWidget>

#include <functional>

// A picture box of the block and tile editors: a back colour, an optional picture drawn over
// it unscaled in the top-left corner (or stretched, for the previews), a Tag, and mouse presses
// with the design's button numbers.
namespace blocks {

class PicBox : public QWidget
{
    Q_OBJECT
public:
    PicBox(QWidget *parent, const QString &name, int index = -1);
    int index() const { return m_index; }
    QString Tag;

    void setBackColor(const QColor &c);
    QColor backColor() const { return m_back; }
    void setPicture(const QPixmap &pm);
    QPixmap picture() const { return m_picture; }
    void setStretch(bool on) { m_stretch = on; }

    std::function<void(int index, int button)> onMouseDown;
    std::function<void(int index, int button)> onMouseUp;
    std::function<void(int index, QPoint globalPos)> onMouseMove;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    int m_index;
    QColor m_back { Qt::black };
    QPixmap m_picture;
    bool m_stretch = false;
};

// 0xRRGGBB as a colour.
QColor rgbColour(uint32_t rgb);

} // namespace blocks

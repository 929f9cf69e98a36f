#pragma once
#include <QWidget>

#include <cstdint>
#include <functional>

// A box that shows one NES colour: its back colour, its Tag (the colour number as two
// hexadecimal digits, which the hover read-out shows) and a border that marks the selection.
class ColourBox : public QWidget
{
    Q_OBJECT
public:
    ColourBox(QWidget *parent, const QString &name, int index);
    int index() const { return m_index; }

    // rgb as the palette file gives it: red + 256 * green + 65536 * blue.
    void setColour(uint32_t rgb);
    // A colour given as it is drawn.
    void setBackColor(const QColor &c);
    // A number above 63 names no NES colour: the box shows a cross on black, its Tag the number.
    void setNoColour();
    bool showsNoColour() const { return m_none; }
    QColor backColor() const { return m_colour; }
    QString Tag;

    int borderStyle() const { return m_border; } // 1 border, 0 none
    void setBorderStyle(int b);

    std::function<void(int index)> onClick; // the left button
    std::function<void(int index, int button)> onPress; // any button: 1 left, 2 right, 4 middle
    std::function<void(int index)> onMouseMove;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    int m_index;
    QColor m_colour { Qt::black };
    int m_border = 0;
    bool m_none = false;
};

// The NES colour a colour box shows.
QColor nesColour(uint32_t rgb);

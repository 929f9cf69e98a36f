#pragma once
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>

#include <functional>

// Small stand-ins for the design's controls: a Tag text on each, pictures that stretch, mouse
// events with the design's button numbers (1 left, 2 right, 4 middle, summed when several are
// down) and positions in twips.
class QLineEdit;

namespace ctl {

int buttonsOf(Qt::MouseButtons b);

// A read-only text box that takes no focus, placed in twips, 285 twips high.
QLineEdit *readOut(
    QWidget *parent, const QString &name, const QString &text, int left, int top, int width);

class ImageBox : public QWidget
{
    Q_OBJECT
public:
    ImageBox(QWidget *parent, const QString &name, int index = -1);
    int index() const { return m_index; }
    QString Tag;

    void setPicture(const QPixmap &pm);
    QPixmap picture() const { return m_picture; }
    void clearPicture();
    // A colour filled under the picture; without one (the default) only the picture is drawn.
    void setBackColor(const QColor &c);
    QColor backColor() const { return m_back; }
    // The picture stretched over the box (the default) or drawn unscaled in its top-left corner.
    void setStretch(bool on);

    std::function<void(int index, int button, double x, double y)> onMouseDown;
    std::function<void(int index, int button, double x, double y)> onMouseMove;
    std::function<void(int index, int button, double x, double y)> onMouseUp;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    int m_index;
    QPixmap m_picture;
    QColor m_back;
    bool m_stretch = true;
};

// A scroll bar whose change handler may open a modal box: the box takes the button's release,
// so the bar lets go of the press itself instead of repeating the step to its end.
class ScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    ScrollBar(Qt::Orientation o, QWidget *parent, const QString &name);
    QString Tag;

protected:
    bool event(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    void letGo();
    bool m_blocked = false;
};

// Its list opens as wide as its longest item; a current text longer than the closed box ends
// in "…" there instead of being cut off.
class ComboBox : public QComboBox
{
    Q_OBJECT
public:
    ComboBox(QWidget *parent, const QString &name);
    QString Tag;
    // The current text as the closed box shows it.
    QString shownText() const;
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent *e) override;
};

// The wheel picks in the list only while it has a focus the user gave it (a click, Tab, an
// access key), and gives it no focus: a wheel turned over it on its way elsewhere passes it
// by, also over the list a window put its focus in at opening. Any list box, this module's or
// Qt's.
void setWheelNeedsFocus(QComboBox *box);

// A rectangle whose fill style 7 hatches it diagonally and 1 leaves it transparent.
class Shape : public QWidget
{
    Q_OBJECT
public:
    Shape(QWidget *parent, const QString &name, QColor fill);
    int fillStyle() const { return m_fillStyle; }
    void setFillStyle(int s);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_fillStyle = 1;
    QColor m_fill;
};

} // namespace ctl

#pragma once
#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

struct ProgramFiles;
class QPixmap;

// The few controls of the two object modes that the stand-ins of Controls.h do not cover.

// A label that reports presses with the design's button numbers (the enemy labels lblEn).
class ModeLabel : public QLabel
{
    Q_OBJECT
public:
    ModeLabel(QWidget *parent, const QString &name);
    std::function<void(int button)> onMouseDown;

protected:
    void mousePressEvent(QMouseEvent *e) override;
};

// The enemy list: each row keeps its enemy id as item data; presses and keys are reported
// after the list has moved its current row.
class EnemyList : public QListWidget
{
    Q_OBJECT
public:
    EnemyList(QWidget *parent, const QString &name);
    int idOfRow(int row) const;
    std::function<void(int button)> onMouseDown;
    std::function<void(int keyCode)> onKeyDown; // the design's key codes: 37..40 the arrows

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};

// The selection frame rectSelSt: a 2-pixel border, its inside dark grey when opaque.
class SelFrame : public QWidget
{
    Q_OBJECT
public:
    SelFrame(QWidget *parent, const QString &name);
    void setBorderColor(QColor c);
    QColor borderColor() const { return m_border; }
    void setOpaque(bool on);
    bool opaque() const { return m_opaque; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_border = Qt::yellow;
    bool m_opaque = false;
};

// Positions of the mode's controls in twips (15 to a pixel), as the design moves them.
namespace twips {

inline int left(const QWidget *w)
{
    return w->x() * 15;
}
inline int top(const QWidget *w)
{
    return w->y() * 15;
}
void move(QWidget *w, int left, int top);
void resize(QWidget *w, int width, int height);
void place(QWidget *w, int left, int top, int width, int height);

} // namespace twips

namespace objects {

// A label placed in twips, hidden until its mode shows it.
QLabel *hiddenLabel(QWidget *parent, const QString &name, const QString &caption, int left, int top,
    int width, int height = 255);
// A marker picture from the picture folder; a missing file is an error.
QPixmap datPicture(const ProgramFiles &files, const std::string &file);
// Each error a drag step met, in the box of `subroutine`.
void showErrors(int subroutine, const std::vector<std::string> &errors);

} // namespace objects

#include "objects/PanelControls.h"

#include "resources/FolderPictures.h"
#include "rom/ProgramFiles.h"
#include "rom/VbError.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

ModeLabel::ModeLabel(QWidget *parent, const QString &name) : QLabel(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_NoMousePropagation);
}

void ModeLabel::mousePressEvent(QMouseEvent *e)
{
    if (onMouseDown)
        onMouseDown(ctl::buttonsOf(e->buttons()));
}

EnemyList::EnemyList(QWidget *parent, const QString &name) : QListWidget(parent)
{
    setObjectName(name);
}

int EnemyList::idOfRow(int row) const
{
    const QListWidgetItem *it = item(row);
    return it ? it->data(Qt::UserRole).toInt() : 0;
}

void EnemyList::mousePressEvent(QMouseEvent *e)
{
    const int buttons = ctl::buttonsOf(e->buttons());
    QListWidget::mousePressEvent(e);
    if (onMouseDown)
        onMouseDown(buttons);
}

void EnemyList::keyPressEvent(QKeyEvent *e)
{
    QListWidget::keyPressEvent(e);
    int code = 0;
    switch (e->key()) {
    case Qt::Key_Left:
        code = 37;
        break;
    case Qt::Key_Up:
        code = 38;
        break;
    case Qt::Key_Right:
        code = 39;
        break;
    case Qt::Key_Down:
        code = 40;
        break;
    default:
        break;
    }
    if (code && onKeyDown)
        onKeyDown(code);
}

SelFrame::SelFrame(QWidget *parent, const QString &name) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SelFrame::setBorderColor(QColor c)
{
    m_border = c;
    update();
}

void SelFrame::setOpaque(bool on)
{
    m_opaque = on;
    update();
}

void SelFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_opaque)
        p.fillRect(rect(), QColor(0x40, 0x40, 0x40));
    p.setPen(QPen(m_border, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(1, 1, -1, -1));
}

namespace twips {

void move(QWidget *w, int left, int top)
{
    w->move(look::tw(left), look::tw(top));
}

void resize(QWidget *w, int width, int height)
{
    w->resize(look::tw(width), look::tw(height));
}

void place(QWidget *w, int left, int top, int width, int height)
{
    look::place(w, left, top, width, height);
}

} // namespace twips

namespace objects {

QLabel *hiddenLabel(QWidget *parent, const QString &name, const QString &caption, int left, int top,
    int width, int height)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    look::place(l, left, top, width, height);
    l->setVisible(false);
    return l;
}

QPixmap datPicture(const ProgramFiles &files, const std::string &file)
{
    return res::folderPicture(files.datPath + file);
}

void showErrors(int subroutine, const std::vector<std::string> &errors)
{
    for (const std::string &e : errors)
        msg::errBox(subroutine, e);
}

} // namespace objects

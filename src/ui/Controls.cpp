#include "ui/Controls.h"

#include "ui/Look.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace ctl {

int buttonsOf(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0)
        | (b & Qt::MiddleButton ? 4 : 0);
}

QLineEdit *readOut(
    QWidget *parent, const QString &name, const QString &text, int left, int top, int width)
{
    auto *t = new QLineEdit(text, parent);
    t->setObjectName(name);
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::NoFocus);
    look::place(t, left, top, width, 285);
    return t;
}

namespace {

double twipsX(QMouseEvent *e)
{
    return e->position().x() * 15.0;
}
double twipsY(QMouseEvent *e)
{
    return e->position().y() * 15.0;
}

} // namespace

ImageBox::ImageBox(QWidget *parent, const QString &name, int index)
    : QWidget(parent), m_index(index)
{
    setObjectName(index < 0 ? name : QString("%1(%2)").arg(name).arg(index));
    setMouseTracking(true);
}

void ImageBox::setPicture(const QPixmap &pm)
{
    m_picture = pm;
    update();
}

void ImageBox::clearPicture()
{
    m_picture = QPixmap();
    update();
}

void ImageBox::setBackColor(const QColor &c)
{
    m_back = c;
    update();
}

void ImageBox::setStretch(bool on)
{
    m_stretch = on;
    update();
}

// Stretched pixel for pixel: blocks are shown at twice their size without smoothing.
void ImageBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull() && !m_back.isValid())
        return;
    QPainter p(this);
    if (m_back.isValid())
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

// The button that went down, as a press names it: another button still held (the one whose
// press opened the window this box is in, say) does not change which one it was.
void ImageBox::mousePressEvent(QMouseEvent *e)
{
    if (onMouseDown)
        onMouseDown(m_index, buttonsOf(e->button()), twipsX(e), twipsY(e));
}

void ImageBox::mouseMoveEvent(QMouseEvent *e)
{
    if (onMouseMove)
        onMouseMove(m_index, buttonsOf(e->buttons()), twipsX(e), twipsY(e));
    // Taken here: a move over a control is not a move over the window's background.
    e->accept();
}

void ImageBox::mouseReleaseEvent(QMouseEvent *e)
{
    if (onMouseUp)
        onMouseUp(m_index, buttonsOf(e->button()), twipsX(e), twipsY(e));
    e->accept();
}

ScrollBar::ScrollBar(Qt::Orientation o, QWidget *parent, const QString &name)
    : QScrollBar(o, parent)
{
    setObjectName(name);
}

// A modal box opened: the press that led to it is over for the bar.
bool ScrollBar::event(QEvent *e)
{
    if (e->type() == QEvent::WindowBlocked) {
        m_blocked = true;
        letGo();
    }
    return QScrollBar::event(e);
}

void ScrollBar::mousePressEvent(QMouseEvent *e)
{
    QPointer<ScrollBar> self(this);
    m_blocked = false;
    QScrollBar::mousePressEvent(e);
    // The first step ran before the press set up its repeat: a box shown by that step stops it
    // here.
    if (self && m_blocked)
        letGo();
}

void ScrollBar::letGo()
{
    setRepeatAction(SliderNoAction);
    const QPointF at = mapFromGlobal(QCursor::pos());
    QMouseEvent up(QEvent::MouseButtonRelease, at, mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
        Qt::NoModifier);
    QScrollBar::mouseReleaseEvent(&up);
}

ComboBox::ComboBox(QWidget *parent, const QString &name) : QComboBox(parent)
{
    setObjectName(name);
    // Its list's rows are drawn as wide as they say they need, so the list can be fitted to
    // them (the menu-like rows of a styled box need more than they say).
    setItemDelegate(new QStyledItemDelegate(this));
}

namespace {

// Lets the wheel by a list that the user has not gone to: one without the focus, or with a
// focus the window gave it by itself (at opening, say), which the list shows no sign of. A
// click on it, Tab and an access key go to it; going to another control ends that, while a
// trip to its own drop-down or to another window does not.
class WheelPass : public QObject
{
public:
    explicit WheelPass(QComboBox *box) : QObject(box), m_box(box) { setObjectName("WheelPass"); }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched != m_box)
            return false;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_goneTo = true;
            break;
        case QEvent::FocusIn:
            // A window being shown tells its focus widget of a focus it has not yet got.
            if (m_box->hasFocus())
                m_goneTo = byTheUser(reason(e)) || (m_goneTo && comesBack(reason(e)));
            break;
        case QEvent::FocusOut:
            // The drop-down takes the focus away for reasons of its own.
            if (byTheUser(reason(e)))
                m_goneTo = false;
            break;
        case QEvent::Wheel:
            if (m_box->hasFocus() && m_goneTo)
                return false;
            e->ignore();
            return true;
        default:
            break;
        }
        return false;
    }

private:
    static bool byTheUser(Qt::FocusReason r)
    {
        return r == Qt::MouseFocusReason || r == Qt::TabFocusReason || r == Qt::BacktabFocusReason
            || r == Qt::ShortcutFocusReason;
    }
    // The focus the list had, given back.
    static bool comesBack(Qt::FocusReason r)
    {
        return r == Qt::PopupFocusReason || r == Qt::ActiveWindowFocusReason
            || r == Qt::MenuBarFocusReason;
    }
    static Qt::FocusReason reason(QEvent *e) { return static_cast<QFocusEvent *>(e)->reason(); }

    QComboBox *m_box;
    bool m_goneTo = false;
};

} // namespace

void setWheelNeedsFocus(QComboBox *box)
{
    box->setFocusPolicy(Qt::StrongFocus);
    if (!box->findChild<QObject *>("WheelPass", Qt::FindDirectChildrenOnly))
        box->installEventFilter(new WheelPass(box));
}

QString ComboBox::shownText() const
{
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QRect field
        = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    // The style draws the text a pixel in from each side of the field.
    return fontMetrics().elidedText(currentText(), Qt::ElideRight, field.width() - 2);
}

void ComboBox::showPopup()
{
    QAbstractItemView *list = view();
    int widest = list->sizeHintForColumn(modelColumn());
    if (count() > maxVisibleItems())
        widest += list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(widest + 2 * list->frameWidth());
    QComboBox::showPopup();
}

void ComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    p.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    opt.currentText = shownText();
    p.drawControl(QStyle::CE_ComboBoxLabel, opt);
}

Shape::Shape(QWidget *parent, const QString &name, QColor fill) : QWidget(parent), m_fill(fill)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Shape::setFillStyle(int s)
{
    if (s == m_fillStyle)
        return;
    m_fillStyle = s;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    if (m_fillStyle != 7)
        return;
    QPainter p(this);
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(m_fill, Qt::DiagCrossPattern));
    p.drawRect(rect());
}

} // namespace ctl

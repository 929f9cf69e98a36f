#include "tables/Spinner.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <qdrawutil.h>

#include <algorithm>

Spinner::Spinner(Qt::Orientation o, int low, int high, QWidget *parent, const QString &name)
    : QScrollBar(o, parent), m_high(high)
{
    setObjectName(name);
    setRange(0, high - low);
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QScrollBar::valueChanged, this, [this] { emit spinChanged(spin()); });
}

// On buttons as short as an upright spinner's, the style draws both arrows as the same flat
// dash. The two buttons are drawn here as a scroll bar's are, raised (sunk while pressed), each
// with an arrow that shows its way.
void Spinner::paintEvent(QPaintEvent *e)
{
    if (orientation() == Qt::Horizontal) {
        QScrollBar::paintEvent(e);
        return;
    }
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    QPainter p(this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    p.fillRect(rect(), palette().brush(group, QPalette::Window));
    const QBrush fill = palette().brush(group, QPalette::Button);
    for (QStyle::SubControl sc : { QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine }) {
        const QRect r = style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, this);
        const bool pressed
            = (opt.activeSubControls & sc) != 0 && (opt.state & QStyle::State_Sunken) != 0;
        qDrawShadePanel(&p, r, palette(), pressed, 1, &fill);
        drawArrow(p, pressed ? r.translated(1, 1) : r, sc == QStyle::SC_ScrollBarSubLine,
            palette().color(group, QPalette::ButtonText));
    }
}

// A filled arrow centred in r, pointing up when `up`, else down.
void Spinner::drawArrow(QPainter &p, const QRect &r, bool up, const QColor &c)
{
    const int half = std::clamp(std::min(r.width() - 6, 2 * r.height() - 6) / 2, 1, 3);
    const QPoint mid = r.center();
    const int top = mid.y() - half / 2;
    for (int i = 0; i <= half; ++i)
        p.fillRect(mid.x() - i, up ? top + i : top + half - i, 2 * i + 1, 1, c);
}

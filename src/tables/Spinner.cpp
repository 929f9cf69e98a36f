#include "tables/Spinner.h"

Spinner::Spinner(Qt::Orientation o, int low, int high, QWidget *parent, const QString &name)
    : QScrollBar(o, parent), m_high(high)
{
    setObjectName(name);
    setRange(0, high - low);
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QScrollBar::valueChanged, this, [this] { emit spinChanged(spin()); });
}

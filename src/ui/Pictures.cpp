#include "ui/Pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace {

const QColor parchment(255, 231, 163);

// A castle on a hill under a night sky: the theme of the game edited here.
void castle(QPainter &p, const QRect &r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(10, 0, 30));
    sky.setColorAt(1, QColor(90, 20, 40));
    p.fillRect(r, sky);
    p.setBrush(QColor(250, 240, 200));
    p.setPen(Qt::NoPen);
    int moon = r.width() / 8;
    p.drawEllipse(QRect(r.right() - 2 * moon, r.top() + moon / 2, moon, moon));
    p.setBrush(Qt::black);
    int base = r.bottom() - r.height() / 6;
    p.drawRect(QRect(r.left(), base, r.width(), r.bottom() - base + 1));
    int w = r.width();
    QPolygon towers;
    towers << QPoint(r.left() + w / 5, base) << QPoint(r.left() + w / 5, base - r.height() / 3)
           << QPoint(r.left() + w / 4, base - r.height() / 2)
           << QPoint(r.left() + 3 * w / 10, base - r.height() / 3)
           << QPoint(r.left() + 3 * w / 10, base - r.height() / 4)
           << QPoint(r.left() + w / 2, base - r.height() / 4)
           << QPoint(r.left() + w / 2, base - 2 * r.height() / 3)
           << QPoint(r.left() + 11 * w / 20, base - 4 * r.height() / 5)
           << QPoint(r.left() + 3 * w / 5, base - 2 * r.height() / 3)
           << QPoint(r.left() + 3 * w / 5, base - r.height() / 5)
           << QPoint(r.left() + 4 * w / 5, base - r.height() / 5)
           << QPoint(r.left() + 4 * w / 5, base);
    p.drawPolygon(towers);
    p.setBrush(QColor(255, 200, 60));
    for (int i = 0; i < 3; ++i)
        p.drawRect(r.left() + 52 * w / 100, base - r.height() / 2 + i * r.height() / 8, w / 60 + 1,
            r.height() / 20 + 1);
}

// Draws text centred in its band, in the largest size up to pixelSize at which the whole of it
// fits: whatever face the system gives for "Serif", no word is cut at the edges.
void fitted(QPainter &p, const QRect &band, const QString &text, int pixelSize, bool bold)
{
    QFont f("Serif");
    f.setBold(bold);
    const QRect room = band.adjusted(4, 0, -4, 0);
    for (int size = pixelSize; size >= 6; --size) {
        f.setPixelSize(size);
        const QFontMetrics m(f);
        if (m.horizontalAdvance(text) <= room.width() && m.height() <= room.height())
            break;
    }
    p.setFont(f);
    p.drawText(band, Qt::AlignCenter, text);
}

QPixmap face(int w, int h, const QString &title, const QString &line)
{
    QPixmap pm(w, h);
    pm.fill(Qt::black);
    QPainter p(&pm);
    castle(p, QRect(0, 0, w, h * 2 / 3));
    p.setPen(parchment);
    fitted(p, QRect(0, h * 2 / 3, w, h / 6), title, h / 9, true);
    fitted(p, QRect(0, h * 5 / 6, w, h / 6), line, std::max(11, h / 22), false);
    return pm;
}

} // namespace

namespace pictures {

QPixmap splashFace()
{
    return face(510, 367, "Vorlig", "A level editor for both releases of the game");
}

QPixmap splashSmall()
{
    QPixmap pm(179, 139);
    pm.fill(Qt::black);
    QPainter p(&pm);
    castle(p, QRect(0, 0, 179, 139));
    return pm;
}

QPixmap aboutFace()
{
    return face(211, 220, "Vorlig", "Version 1.1");
}

} // namespace pictures

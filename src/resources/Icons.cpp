#include "resources/Icons.h"

#include "resources/Resources.h"

#include <exception>

namespace res {

namespace {

QPixmap embedded(const QString &resource)
{
    QPixmap p;
    try {
        std::span<const uint8_t> bytes = data(resource.toStdString());
        p.loadFromData(bytes.data(), static_cast<uint>(bytes.size()));
    } catch (const std::exception &) {
        // Not carried: the caller gets a null pixmap.
    }
    return p;
}

QString buttonResource(const QString &button)
{
    static const char *const pairs[][2] = {
        { "cmdPattern", "BTN_PATTERN" },
        { "cmdPalettes", "BTN_PALETTES" },
        { "cmdDamage", "BTN_DAMAGE" },
        { "cmdBGM", "BTN_BGM" },
        { "cmdMisc", "BTN_MISC" },
        { "cmdEPal", "BTN_EPAL" },
        { "cmdEPat", "BTN_EPAT" },
    };
    for (const auto &p : pairs)
        if (button == QLatin1String(p[0]))
            return QString::fromLatin1(p[1]);
    return {};
}

} // namespace

QPixmap dragPixmap(const QString &name)
{
    if (name != QLatin1String("PAINT") && name != QLatin1String("EMPTY"))
        return {};
    return embedded(name);
}

QCursor dragCursor(const QString &name)
{
    QPixmap p = dragPixmap(name);
    if (p.isNull())
        return {};
    if (name == QLatin1String("PAINT"))
        return QCursor(p, 0, p.height() - 1);
    return QCursor(p, p.width() / 2, p.height() / 2);
}

QPixmap buttonPixmap(const QString &button)
{
    QString resource = buttonResource(button);
    return resource.isEmpty() ? QPixmap() : embedded(resource);
}

QIcon buttonIcon(const QString &button)
{
    QPixmap p = buttonPixmap(button);
    return p.isNull() ? QIcon() : QIcon(p);
}

} // namespace res

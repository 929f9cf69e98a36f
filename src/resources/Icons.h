#pragma once
#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The pictures that are shown straight from the program's resources, never from the picture
// folder. An unknown name gives a null pixmap (and an empty icon, the default cursor).
namespace res {

// The drag icons "PAINT" (a brush, shown while painting and where a drop does nothing) and
// "EMPTY" (every pixel transparent, shown while a marker is dragged where it can be dropped).
QPixmap dragPixmap(const QString &name);
// The same as a cursor, its hot spot at the brush tip of "PAINT", in the middle of "EMPTY".
QCursor dragCursor(const QString &name);

// The pictures of the main window's picture buttons, by button name: "cmdPattern",
// "cmdPalettes", "cmdDamage", "cmdBGM", "cmdMisc", "cmdEPal", "cmdEPat".
QPixmap buttonPixmap(const QString &button);
QIcon buttonIcon(const QString &button);

} // namespace res

#pragma once
#include <QPixmap>

// The faces of the information windows, drawn by the program itself.
namespace pictures {
QPixmap splashFace(); // 510 x 367
QPixmap splashSmall(); // 179 x 139
QPixmap aboutFace(); // 211 x 220
} // namespace pictures

#pragma once
#include <QSize>

class QApplication;
class QWidget;

namespace look {

// The design measures in twips, 15 to a pixel.
int tw(int twips);
void place(QWidget *w, int left, int top, int width, int height); // all in twips
void applyTo(QApplication &app); // black windows, text RGB(255, 231, 163)
// A dialog without minimise or maximise box, centred on the screen.
void dialogFrame(QWidget *w, int clientWidthTw, int clientHeightTw);
void centre(QWidget *w);

} // namespace look

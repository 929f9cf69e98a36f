#include "ui/Look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace look {

int tw(int twips)
{
    return static_cast<int>(std::nearbyint(twips / 15.0));
}

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(tw(left), tw(top), tw(width), tw(height));
}

namespace {

QString rgb(const QColor &c)
{
    return QString("rgb(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

// A disabled box or list is drawn in Qt's disabled colours, not the windows' black and yellow,
// so a locked list does not pass for one that can be edited.
QString disabledRules(const QPalette &pal)
{
    return QString("QComboBox:disabled, QLineEdit:disabled, QListWidget:disabled,"
                   " QListView:disabled, QAbstractSpinBox:disabled, QPlainTextEdit:disabled,"
                   " QTextEdit:disabled { background-color: %1; color: %2; border: 1px solid %2; }"
                   "QCheckBox:disabled, QRadioButton:disabled { color: %3; }"
                   "QCheckBox::indicator:disabled, QRadioButton::indicator:disabled {"
                   " border-color: %3; }")
        .arg(rgb(pal.color(QPalette::Disabled, QPalette::Base)),
            rgb(pal.color(QPalette::Disabled, QPalette::Text)),
            rgb(pal.color(QPalette::Disabled, QPalette::WindowText)));
}

} // namespace

void applyTo(QApplication &app)
{
    // The twips layout was drawn for a small 8-point face.
    QFont f = app.font();
    f.setPointSize(8);
    app.setFont(f);
    app.setStyleSheet(
        "QWidget { background-color: black; color: rgb(255, 231, 163); }"
        "QPushButton, QToolButton { background-color: rgb(255, 231, 163); color: black;"
        " border: 1px solid rgb(128, 115, 80); padding: 1px; }"
        "QPushButton:disabled { color: rgb(128, 128, 128); }"
        "QLineEdit, QComboBox, QListWidget, QPlainTextEdit { border: 1px solid rgb(128, 115, 80); }"
        "QMenuBar::item:selected, QMenu::item:selected { background-color: rgb(255, 231, 163);"
        " color: black; }"
        "QMenu::item:disabled { color: rgb(128, 128, 128); }"
        "QComboBox QAbstractItemView { selection-background-color: rgb(255, 231, 163);"
        " selection-color: black; }"
        "QRadioButton::indicator, QCheckBox::indicator { width: 9px; height: 9px;"
        " border: 1px solid rgb(255, 231, 163); background: black; }"
        "QRadioButton::indicator { border-radius: 5px; }"
        "QRadioButton::indicator:checked, QCheckBox::indicator:checked {"
        " background: rgb(255, 231, 163); }"
        + disabledRules(app.palette()));
}

void centre(QWidget *w)
{
    if (QScreen *s = QApplication::primaryScreen()) {
        QRect r = s->availableGeometry();
        w->move(r.center() - QPoint(w->width() / 2, w->height() / 2));
    }
}

void dialogFrame(QWidget *w, int clientWidthTw, int clientHeightTw)
{
    w->setWindowFlags(
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    w->setFixedSize(tw(clientWidthTw), tw(clientHeightTw));
    centre(w);
}

} // namespace look

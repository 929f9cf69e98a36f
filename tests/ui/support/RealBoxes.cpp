#include "ui/support/RealBoxes.h"

#include "ui/MsgBox.h"
#include "ui/support/Pointer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QtTest>

RealBoxes::RealBoxes()
{
    msg::setResponder({});
    m_timer = new QTimer(qApp);
    m_timer->setInterval(0);
    QObject::connect(m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer->start();
}

RealBoxes::~RealBoxes()
{
    delete m_timer;
}

void RealBoxes::click(QMessageBox::StandardButton b)
{
    m_script.push_back({ b, Qt::Key_unknown });
}

void RealBoxes::key(Qt::Key k)
{
    m_script.push_back({ QMessageBox::NoButton, k });
}

void RealBoxes::closeByTitleBar()
{
    Action a;
    a.close = true;
    m_script.push_back(a);
}

void RealBoxes::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || (box == m_last && !m_lastOpen) || !box->windowHandle())
        return;
    if (box != m_last) {
        m_last = box;
        Shown s { box->text(), box->windowTitle(), box->icon(), {} };
        for (QAbstractButton *b : box->buttons())
            s.buttons << box->standardButton(b);
        shown.push_back(s);
        if (whileShown)
            whileShown(box);
    }
    answer(box);
    m_lastOpen = box && box->isVisible();
    if (m_lastOpen)
        ++shown.back().leftOpen;
}

void RealBoxes::answer(QMessageBox *box)
{

    Action a;
    if (!m_script.empty()) {
        a = m_script.front();
        m_script.pop_front();
    }
    if (a.button != QMessageBox::NoButton) {
        QAbstractButton *b = box->button(a.button);
        if (b && b->isVisible()) {
            pointer::click(b);
            return;
        }
        missingButtons << QString("0x%1 on \"%2\"").arg(int(a.button), 0, 16).arg(box->text());
        a.key = Qt::Key_Escape;
    }
    if (a.close) {
        // What the window system sends when its close button is clicked.
        QCloseEvent close;
        QApplication::sendEvent(box->windowHandle(), &close);
        return;
    }
    QTest::keyClick(box->windowHandle(), a.key);
}

int RealBoxes::Shown::style() const
{
    int base = 0;
    switch (icon) {
    case QMessageBox::Critical:
        base = 16;
        break;
    case QMessageBox::Question:
        base = 32;
        break;
    case QMessageBox::Warning:
        base = 48;
        break;
    case QMessageBox::Information:
        base = 64;
        break;
    default:
        break;
    }
    const auto has = [this](QMessageBox::StandardButton b) { return buttons.contains(b); };
    if (has(QMessageBox::Yes))
        return base + (has(QMessageBox::Cancel) ? 3 : 4);
    return base + (has(QMessageBox::Cancel) ? 1 : 0);
}

int RealBoxes::count(const QString &text) const
{
    int n = 0;
    for (const Shown &s : shown)
        n += s.text == text;
    return n;
}

bool RealBoxes::any(const QString &textPart) const
{
    for (const Shown &s : shown)
        if (s.text.contains(textPart))
            return true;
    return false;
}

QStringList RealBoxes::texts() const
{
    QStringList l;
    for (const Shown &s : shown)
        l << s.text;
    return l;
}

#pragma once
#include "ui/MsgBox.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

// Answers every message box from a script and records what was shown. Unscripted boxes are
// answered with their first button: OK, or Yes where there is no OK. A scripted answer that the
// box does not offer fails the test.
struct Boxes
{
    struct Shown
    {
        QString text;
        int style;
        QString title;
    };

    Boxes();
    ~Boxes();

    void answer(int a) { script.push_back(a); }
    int count() const { return static_cast<int>(shown.size()); }
    int count(const QString &text) const;
    bool any(const QString &textPart) const;
    QStringList texts() const;
    const Shown &last() const { return shown.back(); }
    void clear() { shown.clear(); }

    std::vector<Shown> shown;
    std::deque<int> script;
};

// Records endProgram instead of ending the test.
struct EndWatch
{
    EndWatch();
    ~EndWatch();
    int calls = 0;
};

#include "ui/support/Boxes.h"

#include <QtTest>

#include <algorithm>

// An answer the box could never give (Cancel to a Yes/No box) fails the test: the program was
// not tried the way a person can answer it.
Boxes::Boxes()
{
    msg::setResponder([this](const QString &text, int style, const QString &title) {
        shown.push_back({ text, style, title });
        const std::vector<int> offered = msg::answers(style);
        if (script.empty())
            return offered.front();
        const int a = script.front();
        script.pop_front();
        if (std::find(offered.begin(), offered.end(), a) == offered.end())
            QTest::qFail(qPrintable(QString("answer %1 scripted for a box of style %2, which "
                                            "cannot give it: \"%3\"")
                                        .arg(a)
                                        .arg(style)
                                        .arg(text)),
                __FILE__, __LINE__);
        return a;
    });
}

Boxes::~Boxes()
{
    msg::setResponder({});
}

int Boxes::count(const QString &text) const
{
    int n = 0;
    for (const Shown &s : shown)
        n += s.text == text;
    return n;
}

bool Boxes::any(const QString &textPart) const
{
    for (const Shown &s : shown)
        if (s.text.contains(textPart))
            return true;
    return false;
}

QStringList Boxes::texts() const
{
    QStringList l;
    for (const Shown &s : shown)
        l << s.text;
    return l;
}

EndWatch::EndWatch()
{
    app::setEndProgramHandler([this] { ++calls; });
}

EndWatch::~EndWatch()
{
    app::setEndProgramHandler({});
}

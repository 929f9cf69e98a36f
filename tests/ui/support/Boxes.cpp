#include "ui/support/Boxes.h"

Boxes::Boxes()
{
    msg::setResponder([this](const QString &text, int style, const QString &title) {
        shown.push_back({ text, style, title });
        if (!script.empty()) {
            int a = script.front();
            script.pop_front();
            return a;
        }
        return (style == msg::QuestionYesNo || style == msg::QuestionYesNoCancel) ? int(msg::Yes)
                                                                                  : int(msg::Ok);
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

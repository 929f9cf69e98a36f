#pragma once
#include <QObject>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

// A control found the way a person finds it: by what it is called in the window, not by
// reaching into the class that happens to own it. Control arrays are named "name(index)".
// A missing control ends the test at once, naming what was looked for.
template <class T>
T *named(const QObject *root, const QString &name, int index = -1)
{
    const QString full = index < 0 ? name : QString("%1(%2)").arg(name).arg(index);
    T *found = root ? root->findChild<T *>(full) : nullptr;
    if (!found) {
        std::fprintf(stderr, "named: no control \"%s\" below %s\n", qPrintable(full),
            root ? qPrintable(root->objectName()) : "nothing");
        std::abort();
    }
    return found;
}

// The whole control array "name(0)" .. "name(count - 1)".
template <class T>
std::vector<T *> namedArray(const QObject *root, const QString &name, int count)
{
    std::vector<T *> all;
    for (int i = 0; i < count; ++i)
        all.push_back(named<T>(root, name, i));
    return all;
}

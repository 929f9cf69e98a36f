#pragma once
#include "rom/Numbers.h"

#include <QString>

#include <vector>

// Texts the main window shows and reads back.
namespace viewtext {

inline QString hex2(long long v)
{
    return QString::fromStdString(num::hex2(v));
}

// Upper-case hexadecimal without leading zeros, as in "Offset 20D61".
inline QString hex(long long v)
{
    return QString::number(v, 16).toUpper();
}

// "screen-place" of a column or row of the section: 10 gives "1-3".
inline QString place(int v)
{
    return QString("%1-%2").arg(v / 8).arg(v % 8 + 1);
}

// place(v), each made once: the captions change at every scroll step.
inline QString placeOf(int v)
{
    static std::vector<QString> made(1024);
    if (v < 0 || v >= static_cast<int>(made.size()))
        return place(v);
    QString &text = made[static_cast<size_t>(v)];
    if (text.isEmpty())
        text = place(v);
    return text;
}

// The Tag of a cell that shows block b: "&H" and two hexadecimal digits, each made once.
inline const QString &cellTag(int b)
{
    static std::vector<QString> made(256);
    QString &tag = made[static_cast<size_t>(b & 0xFF)];
    if (tag.isEmpty())
        tag = "&H" + hex2(b & 0xFF);
    return tag;
}

// The block a cell's Tag names ("&H1A" or "1A"); a Tag that is no number counts as block 0.
inline int tagBlock(const QString &tag)
{
    try {
        return static_cast<int>(num::hexVal(tag.toStdString())) & 0xFF;
    } catch (...) {
        return 0;
    }
}

} // namespace viewtext

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

// place(v), made once for the columns and rows a section can have: the captions change at
// every scroll step.
inline QString placeOf(int v)
{
    static const std::vector<QString> made = [] {
        std::vector<QString> out;
        for (int k = 0; k < 2048; ++k)
            out.push_back(place(k));
        return out;
    }();
    return v >= 0 && v < static_cast<int>(made.size()) ? made[static_cast<size_t>(v)] : place(v);
}

// The Tag of a cell that shows block b: "&H" and two hexadecimal digits.
inline const QString &cellTag(int b)
{
    static const std::vector<QString> made = [] {
        std::vector<QString> out;
        for (int k = 0; k < 256; ++k)
            out.push_back("&H" + hex2(k));
        return out;
    }();
    return made[static_cast<size_t>(b & 0xFF)];
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

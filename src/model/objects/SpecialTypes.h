#pragma once
#include "stage/Records.h"

#include <array>
#include <string>
#include <vector>

// The special-object types as the type box offers them, retyping and the breakable block.
namespace special {

using Templates = std::array<std::array<specialRec, 36>, 9>; // [group][sample]

// The type box's items: 14 (15 with "Scrolling Ledges") in a horizontal section, 6 in a
// vertical one.
std::vector<std::string> typeList(bool vertical, bool withLedges);
// The type byte of a list index; -1 outside the list.
int typeOfIndex(bool vertical, int listIndex);
// The list index that names `type`; -1 for a type the list does not offer.
int indexOfType(bool vertical, int type);
// The template group of a type (types 1, 2, 3, 5, 4, 8, 9, 10, 13), or -1.
int templateGroup(int type);

// The record rebuilt for the list entry chosen; an index outside the list changes nothing. A
// template placed beyond the section's `screens` comes to its last screen.
void retype(
    specialRec &rec, bool vertical, int listIndex, const Templates &templates, int screens = 255);

// An empty slot: type 0 with its vertical byte 0x20.
inline bool isEmptySlot(const specialRec &rec)
{
    return rec[3] == 0 && rec[4] == 0x20;
}

// The breakable-block box: byte 6 and the matching low nibble of byte 4.
void setBlockFlag(specialRec &rec, int value);

// The picture of a special marker.
std::string pictureOf(const specialRec &rec);

// The code list of a type's main property (types 13, 10, 6, 7, 9, 8, 1, 2, 3).
struct CodeList
{
    const char *codes;
    int digits; // 1 or 2 hexadecimal digits a code
    int byte; // the record byte compared
    int fallbackByte; // -1: none
    int fallbackValue;
    int fallbackBar;
};
const CodeList *codeList(int type);
// The index of the code the record holds, or -1.
int codeSearch(const CodeList &list, const specialRec &rec);
int codeCount(const CodeList &list);
int codeAt(const CodeList &list, int i);

// Bar 2's Max for a type by the view Max of the section; `disable` when the section is too
// short for the property (one screen for types 13 and 4).
int bar2Max(int type, int viewMax, bool &disable);

} // namespace special

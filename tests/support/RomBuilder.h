#pragma once
#include "rom/RomFile.h"
#include "support/RomMap.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Synthetic ROM images of either release: all 15 stages behind their pointer chains, every
// table at its fixed position. A test describes the ROM (start from gameShape() and change
// what it needs), builds it, and asserts on the bytes through the ledger of positions.
namespace rb {

// Records in their ROM byte order.
using Obj = std::array<uint8_t, 7>; // screen, y, type, x, content, extra, flags
using Stair = std::array<uint8_t, 3>; // b0 b1 b2
using Special = std::array<uint8_t, 8>; // bytes 0..7 as stored

// kind is 0, 4, 8 or 12; a horizontal staircase keeps y (0..15) in b0, a vertical one the screen.
Stair stairH(int kind, int x, int y, int screen);
Stair stairV(int kind, int x, int y, int screen);
// The ROM form of an empty special slot (screen 9, type 5, its cross position 0x20).
Special emptySpecial(bool vertical);

inline constexpr uint8_t filler = 0xA5; // every byte the builder does not place

// Where a layout lies: in its stage's bank, or below the stage's area list so that the
// pointer needs the +16384 or the +32768 correction.
enum class Bank { Own, Low16k, Low32k };

struct Section
{
    int screens = 1;
    uint8_t scroll = 0x00; // 0x80 or more: vertical
    bool vertical() const { return scroll >= 0x80; }

    Bank bank = Bank::Own;
    int borrowFrom = -1; // stage whose bank a corrected layout should lie in (a preference)
    int sameLayoutAs = -1; // load index in the same stage whose layout pointer this one shares
    Bytes layout; // empty: drawn by the builder; else screens * 48 (64 vertical) bytes

    std::vector<Obj> objects; // vertical sections
    // Earlier load index in the same stage, vertical too, whose object list this one shares.
    int sameObjectsAs = -1;
    bool objectEnd = true; // false: no 0xFF after the records
    Bytes columns; // horizontal sections: 8 a screen; empty = zeros
    std::array<uint8_t, 2> columnHead { 0x00, 0x00 };

    std::vector<Stair> stairs;

    bool hasSpecials = true; // false: index byte 0
    int sameSpecialsAs = -1; // load index in the same stage whose special index this one shares
    std::vector<Special> specials;
    Special specialEnd { 0xFF, 0, 0, 0, 0, 0, 0, 0 };

    std::array<uint8_t, 2> start { 0x23, 0x00 };
    uint8_t palSet = 0;
    uint8_t sprPal = 0;
    std::array<uint8_t, 3> bgBanks { 0x10, 0x11, 0x7B }; // BG 1, BG 2, Sprites 4 (US only)
    std::array<uint8_t, 2> sprBanks { 0x40, 0x60 }; // Sprites 2, Sprites 3
    std::array<uint8_t, 2> recordTail { 0x00, 0x00 }; // the area record's 2 further bytes
};

struct Area
{
    std::vector<Section> sections;
    int doorSection = -1; // j of the section with doors; -1 writes noDoorByte
    uint8_t noDoorByte = 0xFF; // the game also uses 0xE0
    std::array<uint8_t, 6> door { 0x00, 0x11, 0x22, 0x90, 0xC0, 0x55 };
    uint8_t time = 0x30;
};

struct Stage
{
    std::vector<Area> areas;
};

struct Tileset
{
    Bytes defs; // 16 a block
    Bytes attrs; // 1 a block
};

struct RomDesc
{
    Rel rel = Rel::US;
    int chrBanks = 128; // 128 or 256 banks of 1 KB
    uint8_t debugByte = 0x90;
    std::array<Stage, 15> stages;
    std::array<Tileset, 15> tilesets; // empty parts are left as filler
    std::array<uint8_t, 3> palFixed { 0x00, 0x10, 0x20 };
    uint8_t palBackdrop = 0x0F;
    std::vector<std::array<uint8_t, 9>> palSets; // up to 51 sets
    uint8_t bgFixed0 = 0x00;
    uint8_t bgFixed3 = 0x01;
    std::vector<Bytes> chr; // 1024 bytes a bank; banks not given get a pattern of their number
    std::vector<std::array<uint8_t, 4>> puPresets; // type, content, x, y
    std::vector<std::array<uint8_t, 5>> enPresets; // id, left, top, 2 unread bytes
    // Presets whose pointer leads to an earlier preset's record (their own record is not
    // written): preset number -> the earlier preset.
    std::map<int, int> puSameAs, enSameAs;

    // The side windows' game tables at their fixed places (empty: left as filler).
    Bytes damage; // both 16-byte records
    std::vector<unsigned> bgmWords; // 31 song addresses
    Bytes livesHearts; // the lives byte, then the hearts byte
    Bytes sprPalettes; // from the first fixed sprite palette to the end of the set table
};

// The game's own shape (areas, sections, screens, doors, time bytes, CHR size), with drawn
// layouts, tiles and palettes and a few objects, staircases and special objects a section.
RomDesc gameShape(Rel rel, int chrBanks = 128);

// The game's shape with bytes the game accepts but the editor's samples never hold: unused
// bits set (object flags, staircase bits 5-4), a vertical staircase at y 245, holder and enemy
// codes outside the lists, special objects unlike the template samples, empty special slots
// whose cross byte is not 0x20, a type-0 record with 0x20 there, end records holding 00 and
// 0x20 after their end mark, equal objects in a stage whose list runs backwards, scroll bytes
// outside the scroll lists, and listed sections sharing a special-object list, a layout and an
// object list.
RomDesc oddShape(Rel rel);

// Section n (load order) of a stage.
Section &loadSection(RomDesc &d, int stage, int n);

// The side windows' tables as the game has them: damage bytes 0..15, each situation's own
// song, two lives and five hearts in BCD, sprite colours 0..63 with every mirrored palette
// equal to its first copy. gameShape() calls it.
void gameTables(RomDesc &d);

// A ROM whose side-window tables hold bytes the windows cannot show, all legal to keep: damage
// bytes above 15, songs without a name of their own and a word naming no song, lives and
// hearts that are not BCD, colour numbers above 63 in two background sets (42 and 43, which
// the first stages do not draw with) and in the sprite palettes, and mirrored sprite palettes
// that differ from their first copy.
RomDesc oddTableBytes(RomDesc d);

// Preset records the preset windows cannot show with their lists, all legal to keep: power-up
// presets 10..1B hold unknown holder and content codes, a holder of "Nothing" with a content,
// a content of "Nothing" with a holder, odd Left bytes and Left and Top bytes past the lists;
// enemy presets 10..1B hold unknown enemy codes, Tops below 32 and from 224 up (which show
// through the Top mapping), Lefts past the list and a Top of DB. Both tables have presets whose
// pointers lead to the same record: on one page (power-ups 21 and 20, enemies 31 and 30), on
// different pages (power-ups 35 and 12, enemies 50 and 17) and with preset 0 (enemies 1C and 0).
RomDesc oddPresets(RomDesc d);

// Where the builder put each record of a section (load order), as 1-based positions.
struct SectionLedger
{
    int area = 0;
    int j = 0;
    bool vertical = false;
    int screens = 0;
    long long layoutPtrPos = 0; // the pointer in the area record
    long long layoutPos = 0; // first layout byte; the screen count is at layoutPos - 1
    int layoutLen = 0; // screens * 48, or * 64 when vertical
    long long enemyPtrPos = 0;
    long long enemyPos = 0; // object list, or the 2 head bytes before the column bytes
    int objectCount = 0; // vertical: records before the end byte
    long long stairPtrPos = 0;
    long long stairPos = 0;
    int stairCount = 0;
    long long startPos = 0;
    long long specIdxPos = 0;
    uint8_t specialIdx = 0;
    long long specialPos = 0; // 0 when the index is 0
    int specialCount = 0; // records before the end record
    long long doorPos = 0; // door1 here, door2 at + 1; 0 when the section has none
    long long scrollPos = 0;
    long long timePos = 0;
    long long palSetPos = 0;
    long long sprPalPos = 0;
    long long patBGPos = 0;
    long long patSprPos = 0;
};

struct StageLedger
{
    std::vector<SectionLedger> sections; // load order
    std::vector<long long> areaPtr; // area record positions
    long long doorRecords = 0; // record of area a at + 6a
    // Stage 1 only: its sprite bank lists, back to back ([first, last + 1)).
    std::pair<long long, long long> sprBankList {};
};

struct Ledger
{
    std::array<StageLedger, 15> stages;
    std::vector<long long> puRecords;
    std::vector<long long> enRecords;
    int areaCount = 0;
    // Every byte range the builder wrote ([first, last + 1)), for "nothing else changed".
    std::vector<std::pair<long long, long long>> used;
};

struct Built
{
    Bytes rom;
    Ledger ledger;
};

// Throws std::runtime_error when the description cannot be laid out (no room, pointer out
// of its page).
Built build(const RomDesc &desc);

// Byte at a 1-based position.
inline uint8_t at(const Bytes &rom, long long pos)
{
    return rom.at(static_cast<size_t>(pos - 1));
}

} // namespace rb

#include "ui/support/Program.h"

#include "rom/SettingsFile.h"
#include "ui/support/Pointer.h"

#include <QtTest>

#include <sys/stat.h>

int expectedTileset(int stage, int section)
{
    if (stage == 13 && (section == 0 || section == 1))
        return 2;
    if (stage == 13 && (section == 8 || section == 9))
        return 5;
    if (stage == 14 && section == 1)
        return 1;
    return stage;
}

Bytes testPalette()
{
    Bytes pal;
    for (int i = 0; i < 64; ++i) {
        pal.push_back(static_cast<uint8_t>(4 * i));
        pal.push_back(static_cast<uint8_t>(255 - 4 * i));
        pal.push_back(static_cast<uint8_t>(i));
    }
    return pal;
}

Program::Program(rb::Rel rel, bool start) : Program(rb::gameShape(rel), start) { }

Program::Program(const rb::RomDesc &desc, bool startNow)
{
    built = rb::build(desc);
    rom = dir.file("game.nes");
    testfile::writeAll(rom, built.rom);
    testfile::writeAll(dir.file("Vorlig.pal"), testPalette());
    IniValues v;
    v.romPath = rom;
    ini::write(dir.file(ini::fileName), v);
    g = std::make_unique<ProgramState>();
    g->files.programDir = dir.path();
    doc = &g->doc.stages();
    t = &doc->tables();
    w = std::make_unique<frmRI3>(g->doc, g->files);
    if (startNow)
        start();
}

void Program::writeProtect(bool on) const
{
    ::chmod(rom.c_str(), on ? 0444 : 0644);
}

void Program::start()
{
    w->Form_Load();
}

QWindow *activeWindow(Program &p)
{
    QWindow *win = pointer::windowOf(p.w.get());
    p.w->activateWindow();
    if (!QTest::qWaitForWindowActive(p.w.get()))
        qWarning("the main window did not become active");
    return win;
}

#include "support/FuzzInit.h"

#include "support/RomFixture.h"

#include <array>
#include <memory>

namespace fuzz {

const Bytes &baseRom(uint8_t flags)
{
    static std::array<Bytes, 4> roms;
    const int k = flags & (Japanese | BigChr);
    if (roms[k].empty())
        roms[k] = rb::build(
            rb::gameShape(flags & Japanese ? rb::Rel::JP : rb::Rel::US, flags & BigChr ? 256 : 128))
                      .rom;
    return roms[k];
}

Bytes input(
    uint8_t flags, uint32_t truncate, const std::vector<std::pair<uint32_t, uint8_t>> &patches)
{
    Bytes in { flags, static_cast<uint8_t>(truncate), static_cast<uint8_t>(truncate >> 8),
        static_cast<uint8_t>(truncate >> 16) };
    for (auto [off, v] : patches)
        in.insert(in.end(),
            { static_cast<uint8_t>(off), static_cast<uint8_t>(off >> 8),
                static_cast<uint8_t>(off >> 16), v });
    return in;
}

namespace {

std::array<std::unique_ptr<rb::RomFolder>, 2> folders;

Bytes romFor(const uint8_t *data, size_t size)
{
    if (size < 4)
        return baseRom(size ? data[0] : 0);
    const uint8_t flags = data[0];
    if (flags & Raw)
        return Bytes(data + 4, data + size);
    Bytes rom = baseRom(flags);
    for (size_t i = 4; i + 4 <= size; i += 4) {
        size_t off = (data[i] | data[i + 1] << 8 | data[i + 2] << 16) % rom.size();
        rom[off] = data[i + 3];
    }
    const size_t cut = data[1] | data[2] << 8 | data[3] << 16;
    if (cut && cut < rom.size())
        rom.resize(cut);
    return rom;
}

} // namespace

Outcome runInit(const uint8_t *data, size_t size)
{
    const uint8_t flags = size ? data[0] : 0;
    auto &dir = folders[flags & Japanese];
    if (!dir)
        dir = std::make_unique<rb::RomFolder>(flags & Japanese ? rb::Rel::JP : rb::Rel::US);
    const Bytes rom = romFor(data, size);
    dir->put(rom);
    dir->rec.boxes.clear();
    dir->rec.limit = 1000;
    dir->rec.answerOk = !(flags & Cancel);
    Outcome out;
    out.result = dir->load();
    out.romUntouched = dir->file() == rom;
    out.boxes = dir->rec.boxes.size();
    return out;
}

} // namespace fuzz

namespace fuzz {

void release()
{
    for (auto &f : folders)
        f.reset();
}

} // namespace fuzz

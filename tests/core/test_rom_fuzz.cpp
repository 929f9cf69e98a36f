// Damaged ROMs through Init: truncated files, random bytes, flipped pointers and pointer loops.
// Each case runs in a child process with a time limit, so a crash or a hang is a failure of
// that case and not of the whole test program.
#include "support/FuzzInit.h"
#include "support/RomBuilder.h"
#include "support/RomMap.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace rb;

namespace {

using Patches = std::vector<std::pair<uint32_t, uint8_t>>;

struct FuzzCase
{
    std::string what;
    Bytes input;
};

void patchPtr(Patches &p, long long at, uint8_t lo, uint8_t hi)
{
    p.push_back({ static_cast<uint32_t>(at - 1), lo });
    p.push_back({ static_cast<uint32_t>(at), hi });
}

// Breaks that aim at the chains: loops, lists without an end, counts past the tables.
Patches chainBreak(std::mt19937 &rng, const Ledger &led, const RomMap &m)
{
    Patches p;
    const int s = static_cast<int>(rng() % 15);
    const auto &secs = led.stages[s].sections;
    const SectionLedger &x = secs[rng() % secs.size()];
    const long long area = led.stages[s].areaPtr[rng() % led.stages[s].areaPtr.size()];
    switch (rng() % 8) {
    case 0: // the area list runs on for ever: area 0 moved far up
        patchPtr(p, m.areaList[s], 0xF0, static_cast<uint8_t>(rng()));
        break;
    case 1: // 256 sections in one area
        p.push_back({ static_cast<uint32_t>(area - 1), 0xFF });
        break;
    case 2: // staircases without an end
        for (int k = 0; k < 40 * 3; ++k)
            p.push_back({ static_cast<uint32_t>(x.stairPos - 1 + k), static_cast<uint8_t>(k % 7) });
        break;
    case 3: // special objects without an end record
        if (x.specialPos)
            for (int k = 0; k < 40; ++k)
                p.push_back({ static_cast<uint32_t>(x.specialPos - 1 + 8 * k), 1 });
        break;
    case 4: // an object list without an end byte, or a long one
        for (int k = 0; k < 34; ++k)
            p.push_back(
                { static_cast<uint32_t>(x.enemyPos - 1 + 7 * k), static_cast<uint8_t>(k % 4) });
        break;
    case 5: // a pointer to itself
        patchPtr(p, x.layoutPtrPos, static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()));
        patchPtr(p, x.stairPtrPos, static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()));
        break;
    case 6: // a screen count far past the layout
        p.push_back({ static_cast<uint32_t>(x.layoutPos - 2), 0xFF });
        break;
    default: // level-1 pointers anywhere
        for (long long base : { m.pal.base, m.enemy.base, m.stair.base, m.start.base,
                 m.specIdx.base, m.door.base, m.scroll.base, m.bank.base })
            if (rng() % 3 == 0)
                patchPtr(p, base + 2 * s, static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()));
    }
    return p;
}

std::vector<FuzzCase> cases(int count)
{
    std::vector<FuzzCase> out;
    std::mt19937 rng(20240611);
    std::map<uint8_t, Ledger> ledgers;
    for (uint8_t f : { 0, 1 })
        ledgers[f] = build(gameShape(f ? Rel::JP : Rel::US)).ledger;
    for (int i = 0; i < count; ++i) {
        uint8_t flags = static_cast<uint8_t>(rng() % 2);
        if (i % 16 == 5)
            flags |= fuzz::BigChr;
        if (i % 23 == 7)
            flags |= fuzz::Cancel;
        const size_t size = fuzz::baseRom(flags).size();
        const Ledger &led = ledgers[flags & 1];
        const RomMap m = romMap(flags & 1 ? Rel::JP : Rel::US);
        Patches p;
        std::string what;
        switch (i % 5) {
        case 0: {
            static const uint32_t cuts[] = { 1, 16, 33, 2000, 41100, 0x20000, 0x40010, 0x5FFFF };
            uint32_t cut = i % 10 ? static_cast<uint32_t>(rng() % size) + 1 : cuts[(i / 10) % 8];
            out.push_back({ "truncated to " + std::to_string(cut), fuzz::input(flags, cut, {}) });
            continue;
        }
        case 1:
            for (int k = 1 + static_cast<int>(rng() % 60); k > 0; --k)
                p.push_back({ static_cast<uint32_t>(rng() % size), static_cast<uint8_t>(rng()) });
            what = "random bytes";
            break;
        case 2:
            for (int k = 1 + static_cast<int>(rng() % 8); k > 0; --k) {
                auto [first, end] = led.used[rng() % led.used.size()];
                if (first >= chrBase)
                    continue;
                p.push_back({ static_cast<uint32_t>(first - 1 + rng() % (end - first)),
                    static_cast<uint8_t>(rng()) });
            }
            what = "flipped table bytes";
            break;
        case 3:
            p = chainBreak(rng, led, m);
            what = "broken chain";
            break;
        default: {
            Bytes raw = fuzz::input(flags | fuzz::Raw, 0, {});
            size_t n = i % 20 == 4 ? 0 : rng() % (i % 3 ? 300000 : 600000);
            for (size_t k = 0; k < n; ++k)
                raw.push_back(static_cast<uint8_t>(rng()));
            out.push_back({ "random file of " + std::to_string(n) + " bytes", raw });
            continue;
        }
        }
        out.push_back({ what, fuzz::input(flags, 0, p) });
    }
    return out;
}

// 0: fine; 1..: what went wrong in the child.
std::string verdict(int status, bool timedOut)
{
    if (timedOut)
        return "no answer within the time limit";
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) == 3)
        return "the ROM file was written by loading";
    if (WEXITSTATUS(status) != 0)
        return "exit status " + std::to_string(WEXITSTATUS(status));
    return {};
}

} // namespace

TEST(RomFuzz, DamagedRomsNeitherCrashNorHangNorGetWritten)
{
    const std::vector<FuzzCase> all = cases(300);
    for (uint8_t f = 0; f < 4; ++f)
        fuzz::baseRom(f); // built once here, inherited by every child
    const unsigned slots = std::max(2u, std::min(8u, std::thread::hardware_concurrency()));
    struct Running
    {
        pid_t pid;
        size_t index;
        std::chrono::steady_clock::time_point start;
    };
    std::vector<Running> running;
    size_t next = 0;
    const auto limit = std::chrono::seconds(20);
    while (next < all.size() || !running.empty()) {
        while (next < all.size() && running.size() < slots) {
            pid_t pid = ::fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                fuzz::Outcome o = fuzz::runInit(all[next].input.data(), all[next].input.size());
                fuzz::release();
                ::_exit(o.romUntouched ? 0 : 3);
            }
            running.push_back({ pid, next++, std::chrono::steady_clock::now() });
        }
        for (auto it = running.begin(); it != running.end();) {
            int status = 0;
            pid_t r = ::waitpid(it->pid, &status, WNOHANG);
            bool late = r == 0 && std::chrono::steady_clock::now() - it->start > limit;
            if (late) {
                ::kill(it->pid, SIGKILL);
                ::waitpid(it->pid, &status, 0);
            }
            if (r == 0 && !late) {
                ++it;
                continue;
            }
            std::string v = verdict(status, late);
            EXPECT_TRUE(v.empty())
                << "case " << it->index << " (" << all[it->index].what << "): " << v;
            it = running.erase(it);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

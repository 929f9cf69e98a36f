#include "app/StartDetached.h"

#include <cerrno>
#include <csignal>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

// The child starts with no signal blocked and SIGPIPE back at its default, whatever the editor
// has set for itself.
bool prepare(posix_spawnattr_t &attr)
{
    sigset_t none, pipe;
    sigemptyset(&none);
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    return posix_spawnattr_setsigmask(&attr, &none) == 0
        && posix_spawnattr_setsigdefault(&attr, &pipe) == 0
        && posix_spawnattr_setflags(
               &attr, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF)
        == 0;
}

} // namespace

bool startDetached(const std::string &program, const std::vector<std::string> &args)
{
    if (program.empty())
        return false;
    std::vector<std::string> all { program };
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawnattr_t attr;
    if (posix_spawnattr_init(&attr) != 0)
        return false;
    pid_t pid = 0;
    // posix_spawn reports a failed exec itself, so a program that cannot run is no success.
    const bool started = prepare(attr)
        && ::posix_spawn(&pid, program.c_str(), nullptr, &attr, argv.data(), environ) == 0;
    posix_spawnattr_destroy(&attr);
    if (!started)
        return false;
    // Reaped whenever it ends, so that it never lingers as a zombie of the editor.
    std::thread([pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
    }).detach();
    return true;
}

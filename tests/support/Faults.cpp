#include "support/Faults.h"

#include <cstdio>
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

struct State
{
    bool armed = false;
    faults::Fault fault { faults::Call::Write };
    dev_t dev = 0;
    ino_t ino = 0;
    int seen = 0;
    int hits = 0;
};

State &state()
{
    static State s;
    return s;
}

thread_local bool inHook = false;

template <class F> F real(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

bool sameAs(const State &s, const struct stat &st)
{
    return s.fault.path.empty() || (st.st_dev == s.dev && st.st_ino == s.ino);
}

bool matches(faults::Call call, int fd, const char *path)
{
    const State &s = state();
    if (!s.armed || inHook || s.fault.call != call)
        return false;
    struct stat st
    {
    };
    if (path)
        return ::stat(path, &st) == 0 ? sameAs(s, st) : s.fault.path.empty();
    return ::fstat(fd, &st) == 0 && sameAs(s, st);
}

// True when the call is to fail (errno then set).
bool strikes(faults::Call call, int fd, const char *path = nullptr)
{
    if (!matches(call, fd, path))
        return false;
    State &s = state();
    const int n = s.seen++;
    if (n < s.fault.skip || (s.fault.times >= 0 && n >= s.fault.skip + s.fault.times))
        return false;
    ++s.hits;
    if (s.fault.instead) {
        inHook = true;
        const auto run = std::move(s.fault.instead);
        s.fault.instead = nullptr;
        run();
        inHook = false;
        return false;
    }
    errno = s.fault.error;
    return true;
}

} // namespace

namespace faults {

Armed::Armed(Fault f)
{
    State &s = state();
    s = State {};
    struct stat st
    {
    };
    if (!f.path.empty() && ::stat(f.path.c_str(), &st) == 0) {
        s.dev = st.st_dev;
        s.ino = st.st_ino;
    }
    s.fault = std::move(f);
    s.armed = true;
}

Armed::~Armed()
{
    state() = State {};
}

int Armed::hits() const
{
    return state().hits;
}

} // namespace faults

extern "C" {

ssize_t pwrite(int fd, const void *buf, size_t n, off_t at)
{
    static const auto next = real<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    return strikes(faults::Call::Write, fd) ? -1 : next(fd, buf, n, at);
}

ssize_t pwrite64(int fd, const void *buf, size_t n, off_t at)
{
    static const auto next = real<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite64");
    return strikes(faults::Call::Write, fd) ? -1 : next(fd, buf, n, at);
}

int fsync(int fd)
{
    static const auto next = real<int (*)(int)>("fsync");
    return strikes(faults::Call::Sync, fd) ? -1 : next(fd);
}

int ftruncate(int fd, off_t size) noexcept
{
    static const auto next = real<int (*)(int, off_t)>("ftruncate");
    return strikes(faults::Call::Truncate, fd) ? -1 : next(fd, size);
}

int ftruncate64(int fd, off_t size) noexcept
{
    static const auto next = real<int (*)(int, off_t)>("ftruncate64");
    return strikes(faults::Call::Truncate, fd) ? -1 : next(fd, size);
}

// A close that fails has let the descriptor go all the same, as the kernel's does.
int close(int fd)
{
    static const auto next = real<int (*)(int)>("close");
    const bool fail = strikes(faults::Call::Close, fd);
    const int e = errno;
    const int r = next(fd);
    if (!fail)
        return r;
    errno = e;
    return -1;
}

// Setting an extended attribute on an open file (a save's copy, say).
int fsetxattr(int fd, const char *name, const void *value, size_t n, int flags) noexcept
{
    static const auto next
        = real<int (*)(int, const char *, const void *, size_t, int)>("fsetxattr");
    return strikes(faults::Call::SetAttr, fd) ? -1 : next(fd, name, value, n, flags);
}

int fremovexattr(int fd, const char *name) noexcept
{
    static const auto next = real<int (*)(int, const char *)>("fremovexattr");
    return strikes(faults::Call::RemoveAttr, fd) ? -1 : next(fd, name);
}

int rename(const char *from, const char *to) noexcept
{
    static const auto next = real<int (*)(const char *, const char *)>("rename");
    return strikes(faults::Call::Rename, -1, to) ? -1 : next(from, to);
}

} // extern "C"

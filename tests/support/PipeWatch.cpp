#include "support/PipeWatch.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

PipeWatch::PipeWatch(const std::string &path) : m_path(path)
{
    if (::mkfifo(path.c_str(), 0644) != 0)
        throw std::runtime_error("cannot make the pipe " + path);
    // Every open of the pipe is queued here by the open call itself, before it returns.
    m_events = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_events < 0 || ::inotify_add_watch(m_events, path.c_str(), IN_OPEN) < 0)
        throw std::runtime_error("cannot watch the pipe " + path);
    m_thread = std::thread([this] { release(); });
}

PipeWatch::~PipeWatch()
{
    opened();
}

// Lets every reader go: a reader's blocking open waits for a writer, and this one is it.
void PipeWatch::release()
{
    for (;;) {
        const int fd = ::open(m_path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0 && errno == EINTR)
            continue;
        if (fd < 0)
            return;
        ::close(fd);
        if (m_ending)
            return;
    }
}

bool PipeWatch::opened()
{
    if (!m_thread.joinable())
        return m_opened;
    // Read before the watch opens the pipe itself: every open queued by now is another's (the
    // releasing thread's own open completes only once a reader has come).
    alignas(inotify_event) char buf[sizeof(inotify_event) + NAME_MAX + 1];
    while (::read(m_events, buf, sizeof buf) > 0)
        m_opened = true;
    m_ending = true;
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    m_thread.join();
    if (fd >= 0)
        ::close(fd);
    ::close(m_events);
    return m_opened;
}

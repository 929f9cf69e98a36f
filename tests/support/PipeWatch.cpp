#include "support/PipeWatch.h"

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

PipeWatch::PipeWatch(const std::string &path) : m_path(path)
{
    if (::mkfifo(path.c_str(), 0644) != 0)
        throw std::runtime_error("cannot make the pipe " + path);
    m_thread = std::thread([this] { watch(); });
}

PipeWatch::~PipeWatch()
{
    opened();
}

void PipeWatch::watch()
{
    for (;;) {
        const int fd = ::open(m_path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0 && errno == EINTR)
            continue;
        if (fd < 0)
            return;
        // Read before closing: a reader is there now, and it is the watch's own only once
        // opened() has begun.
        const bool ending = m_ending;
        ::close(fd);
        if (ending)
            return;
        m_opened = true;
    }
}

bool PipeWatch::opened()
{
    if (m_thread.joinable()) {
        m_ending = true;
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        m_thread.join();
        if (fd >= 0)
            ::close(fd);
    }
    return m_opened;
}

#include "support/DiskFull.h"

#include <csignal>

DiskFull::DiskFull(rlim_t room)
{
    // Past the limit the kernel also raises SIGXFSZ, which would end the test.
    m_signal = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &m_before);
    rlimit r = m_before;
    r.rlim_cur = room;
    ::setrlimit(RLIMIT_FSIZE, &r);
}

DiskFull::~DiskFull()
{
    ::setrlimit(RLIMIT_FSIZE, &m_before);
    std::signal(SIGXFSZ, m_signal);
}

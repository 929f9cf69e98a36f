#pragma once
#include <sys/resource.h>

// While it lives, no file of the process may grow past `room` bytes: every write beyond fails
// with "File too large", as it would on a full disk, also for root. Reads go on as before.
class DiskFull
{
public:
    explicit DiskFull(rlim_t room = 4096);
    ~DiskFull();
    DiskFull(const DiskFull &) = delete;
    DiskFull &operator=(const DiskFull &) = delete;

private:
    rlimit m_before {};
    void (*m_signal)(int) = nullptr;
};

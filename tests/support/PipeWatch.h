#pragma once
#include <atomic>
#include <string>
#include <thread>

// A named pipe at a path, with a thread standing at its other end: an open for writing, which
// waits until someone opens the pipe to read. A program that opens the pipe is let go at once
// (it reads an empty file); a program that never does leaves the thread waiting until opened()
// opens the pipe itself. Whether anyone opened it is told by the system's note of each open,
// made during the open call, so nothing is timed and no thread is raced.
class PipeWatch
{
public:
    explicit PipeWatch(const std::string &path);
    ~PipeWatch();
    PipeWatch(const PipeWatch &) = delete;
    PipeWatch &operator=(const PipeWatch &) = delete;

    // Ends the watch; true when anyone but the watch opened the pipe.
    bool opened();

private:
    void release();

    std::string m_path;
    std::atomic<bool> m_ending { false };
    bool m_opened = false;
    int m_events = -1; // the open notes
    std::thread m_thread;
};

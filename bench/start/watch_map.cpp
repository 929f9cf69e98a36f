// Starts a command and prints the milliseconds until it maps its first top-level window at least
// `min-width` pixels wide, then ends it. The time comes from the X server's own MapNotify event,
// so nothing is polled and no timer is raced.
//     watch_map MIN_WIDTH COMMAND [ARGS...]
#include <X11/Xlib.h>

#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

// A window may be gone again by the time it is asked about (a splash closed at once): such an
// error only means it is not the one waited for.
int ignore(Display *, XErrorEvent *)
{
    return 0;
}

bool wideEnough(Display *d, const XMapEvent &e, int minWidth)
{
    XWindowAttributes a;
    return !e.override_redirect && XGetWindowAttributes(d, e.window, &a) && a.width >= minWidth;
}

// Waits for the map; -1 after 60 seconds without one.
double waitForMap(Display *d, Clock::time_point t0, int minWidth)
{
    const int fd = ConnectionNumber(d);
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && wideEnough(d, e.xmap, minWidth))
                return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval limit { 60, 0 };
        if (select(fd + 1, &fds, nullptr, nullptr, &limit) <= 0)
            return -1;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: watch_map MIN_WIDTH COMMAND [ARGS...]\n");
        return 2;
    }
    Display *d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "watch_map: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignore);
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);
    const auto t0 = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const double ms = waitForMap(d, t0, std::atoi(argv[1]));
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(d);
    if (ms < 0) {
        std::fprintf(stderr, "watch_map: %s mapped no window\n", argv[2]);
        return 1;
    }
    std::printf("%.2f\n", ms);
    return 0;
}

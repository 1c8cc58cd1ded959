// first_frame TITLE PROGRAM [ARGS...]: starts PROGRAM, prints the ms from exec
// to the first painted frame of its top-level window named TITLE and its VmRSS
// in kB 500 ms later, then ends it with SIGTERM. Exits 1, saying why, when no
// such frame comes within 15 s or the program ends first.
//
// Every top-level window (a child of the root: Xvfb runs no window manager)
// gets an X DAMAGE object as soon as it is created, before it can be mapped,
// so all drawing into it is reported. After reports for a window named TITLE
// its pixels are read; the frame counts as painted once they hold three or
// more colours, which a background fill or the black root showing through
// never do. Qt puts the whole window on screen in one go. The time is that of
// the last report read before the pixels.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Windows vanish and unmapped windows cannot be read; such errors only mean
// "not this window, not yet", so none of them ends the watcher.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

bool named(Display* d, Window w, const char* title) {
    char* name = nullptr;
    const bool same = XFetchName(d, w, &name) != 0 && std::strcmp(name, title) == 0;
    XFree(name);
    return same;
}

// True when the window is viewable and its pixels hold three or more colours.
bool painted(Display* d, Window w) {
    XWindowAttributes a{};
    if (XGetWindowAttributes(d, w, &a) == 0 || a.map_state != IsViewable)
        return false;
    XImage* image = XGetImage(d, w, 0, 0, static_cast<unsigned>(a.width),
                              static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    unsigned long colours[3];
    int seen = 0;
    for (int y = 0; y < a.height && seen < 3; ++y)
        for (int x = 0; x < a.width && seen < 3; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            if (std::find(colours, colours + seen, pixel) == colours + seen)
                colours[seen++] = pixel;
        }
    XDestroyImage(image);
    return seen == 3;
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// Ends the program, by SIGKILL if SIGTERM has not done so within 2 s.
int stop(pid_t pid, int result) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i, usleep(10000))
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return result;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_frame TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    int damageEvent = 0, damageError = 0, major = 1, minor = 1;
    if (d == nullptr || XDamageQueryExtension(d, &damageEvent, &damageError) == 0 ||
        XDamageQueryVersion(d, &major, &minor) == 0) {
        std::fprintf(stderr, "first_frame: no X server with the DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(ignoreError);
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(d));
        execvp(argv[2], argv + 2);
        std::perror("first_frame: exec");
        _exit(127);
    }
    if (pid < 0) {
        std::perror("first_frame: fork");
        return 1;
    }

    pollfd connection{ConnectionNumber(d), POLLIN, 0};
    while (nowMs() - start < 15000) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "first_frame: %s ended before painting\n", argv[2]);
            return 1;
        }
        if (XPending(d) == 0)
            poll(&connection, 1, 10);
        Window damaged = None; // a window named TITLE drawn into since the last look
        double damagedAt = 0;
        while (XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == CreateNotify && e.xcreatewindow.parent == root) {
                XDamageCreate(d, e.xcreatewindow.window, XDamageReportRawRectangles);
            } else if (e.type == damageEvent + XDamageNotify) {
                const Window w = reinterpret_cast<XDamageNotifyEvent&>(e).drawable;
                if (w == damaged || named(d, w, argv[1])) {
                    damaged = w;
                    damagedAt = nowMs();
                }
            }
        }
        if (damaged != None && painted(d, damaged)) {
            usleep(500000); // let start-up work settle before the memory is read
            std::printf("%.2f %ld\n", damagedAt - start, residentKb(pid));
            return stop(pid, 0);
        }
    }
    std::fprintf(stderr, "first_frame: no painted window \"%s\" within 15 s\n", argv[1]);
    return stop(pid, 1);
}

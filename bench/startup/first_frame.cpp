// first_frame: start a program and measure how long it takes from exec until
// its top-level window named TITLE shows its first painted frame on the X
// server, then report the program's resident memory and stop it.
//
//   first_frame [--timeout-ms N] [--settle-ms N] [--dump FILE.ppm] TITLE PROGRAM [ARGS...]
//
// Prints one line:  first_frame_ms=<ms> rss_kb=<kB> method=<damage|map|check|poll>
// and exits 0, or prints a reason on stderr and exits 1.
//
// How the first frame is detected, without touching the program:
//   1. Before the fork, the watcher asks the X server for SubstructureNotify
//      events on the root window, so it hears of every top-level window the
//      program creates (there is no window manager under Xvfb, so top-level
//      windows are children of the root).
//   2. On CreateNotify it attaches a DAMAGE object (X DAMAGE extension, raw
//      rectangles) to the new window at once, before the program can map and
//      paint it. The server then sends a DamageNotify event whenever anything
//      is drawn into that window, by the program or by the server itself.
//   3. On each DamageNotify for a window whose WM_NAME is TITLE, it reads the
//      window's pixels (GetImage) and takes the frame as painted when they
//      hold at least three distinct colours. This rules out the server's own
//      work: a background fill is one colour, the root showing through a
//      window without background is black (Xvfb -br) or a two-colour weave.
//      Qt paints the whole window into its back buffer and then puts it on
//      the window in one go, so the first such event is the first frame.
//      The time is taken when the event is read, before GetImage.
//   4. As a fallback, should a DamageNotify ever be missed, a mapped target
//      window is also checked every 50 ms. When that check sees the frame
//      first while its DamageNotify is already on the way, the result says
//      method=check (as exact as damage); when no DamageNotify came at all,
//      method=poll, and the time may be up to 50 ms late.
//      (The check reads the whole window, so it is kept rare: it must not
//      steal much time from the program being measured.)
// --dump writes the frame that was taken as the first one to a PPM file, to
// see with one's own eyes that it is the whole window.
// The resident memory is VmRSS from /proc/<pid>/status, read --settle-ms
// (default 500) after the first frame, once start-up work has settled.
// The program is then ended with SIGTERM (SIGKILL if it lingers), so it never
// runs its own shut-down path.

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <poll.h>
#include <signal.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

xcb_extension_t damage_extension = {"DAMAGE", 0};

constexpr uint8_t kDamageQueryVersion = 0;
constexpr uint8_t kDamageCreate = 1;
constexpr uint8_t kReportRawRectangles = 0;

// Request layouts of the DAMAGE protocol (version 1.1). xcb fills in the
// major opcode and the length.
struct DamageQueryVersionRequest {
    uint8_t major_opcode;
    uint8_t minor_opcode;
    uint16_t length;
    uint32_t client_major;
    uint32_t client_minor;
};
struct DamageCreateRequest {
    uint8_t major_opcode;
    uint8_t minor_opcode;
    uint16_t length;
    uint32_t damage;
    uint32_t drawable;
    uint8_t level;
    uint8_t pad[3];
};
// The DamageNotify event, as far as it is read here.
struct DamageNotifyEvent {
    uint8_t response_type;
    uint8_t level;
    uint16_t sequence;
    uint32_t drawable;
    uint32_t damage;
};

unsigned sendDamageRequest(xcb_connection_t* c, void* request, size_t size, uint8_t minor,
                           bool hasReply) {
    iovec parts[4];
    parts[2].iov_base = request;
    parts[2].iov_len = size;
    parts[3].iov_base = nullptr;
    parts[3].iov_len = 0; // both requests are a multiple of 4 bytes long
    xcb_protocol_request_t info{};
    info.count = 2;
    info.ext = &damage_extension;
    info.opcode = minor;
    info.isvoid = hasReply ? 0 : 1;
    return xcb_send_request(c, hasReply ? XCB_REQUEST_CHECKED : 0, parts + 2, &info);
}

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

std::string windowName(xcb_connection_t* c, xcb_window_t w) {
    auto cookie = xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    std::string name;
    if (reply != nullptr) {
        const auto* data = static_cast<const char*>(xcb_get_property_value(reply));
        name.assign(data, static_cast<size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return name;
}

std::string dumpPath; // --dump: where to write the first painted frame

void writePpm(const uint8_t* data, size_t length, uint16_t width, uint16_t height) {
    std::ofstream out(dumpPath, std::ios::binary);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    for (size_t i = 0; i + 4 <= length; i += 4) {
        const char rgb[3] = {static_cast<char>(data[i + 2]), static_cast<char>(data[i + 1]),
                             static_cast<char>(data[i])};
        out.write(rgb, 3);
    }
}

// True when the window is viewable and its pixels hold three or more colours.
bool looksPainted(xcb_connection_t* c, xcb_window_t w) {
    xcb_get_geometry_reply_t* geo = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    if (geo == nullptr)
        return false;
    const uint16_t width = geo->width, height = geo->height;
    std::free(geo);
    xcb_generic_error_t* error = nullptr;
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, 0, width, height, ~0u), &error);
    if (image == nullptr) { // BadMatch while the window is not viewable yet
        std::free(error);
        return false;
    }
    const uint8_t* data = xcb_get_image_data(image);
    const auto length = static_cast<size_t>(xcb_get_image_data_length(image));
    uint32_t colours[3];
    int seen = 0;
    for (size_t i = 0; i + 4 <= length && seen < 3; i += 4) {
        uint32_t px;
        std::memcpy(&px, data + i, 4);
        px &= 0x00FFFFFFu;
        bool known = false;
        for (int k = 0; k < seen; ++k)
            known = known || colours[k] == px;
        if (!known)
            colours[seen++] = px;
    }
    if (seen >= 3 && !dumpPath.empty())
        writePpm(data, length, width, height);
    std::free(image);
    return seen >= 3;
}

// True when a DamageNotify for window w is waiting to be read (after a
// round trip, so that everything the server sent before it has arrived).
bool damageQueued(xcb_connection_t* c, xcb_window_t w, uint8_t damageEvent) {
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    bool found = false;
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(c)) {
        if ((event->response_type & 0x7F) == damageEvent &&
            reinterpret_cast<DamageNotifyEvent*>(event)->drawable == w)
            found = true;
        std::free(event);
    }
    return found;
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

void stopChild(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int usage() {
    std::fprintf(
        stderr,
        "usage: first_frame [--timeout-ms N] [--settle-ms N] [--dump FILE.ppm] TITLE PROGRAM "
        "[ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    double timeoutMs = 15000, settleMs = 500;
    int arg = 1;
    while (arg + 1 < argc && std::strncmp(argv[arg], "--", 2) == 0) {
        if (std::strcmp(argv[arg], "--timeout-ms") == 0) {
            timeoutMs = std::atof(argv[arg + 1]);
        } else if (std::strcmp(argv[arg], "--settle-ms") == 0) {
            settleMs = std::atof(argv[arg + 1]);
        } else if (std::strcmp(argv[arg], "--dump") == 0) {
            dumpPath = argv[arg + 1];
        } else {
            return usage();
        }
        arg += 2;
    }
    if (argc - arg < 2)
        return usage();
    const std::string title = argv[arg];
    char** program = argv + arg + 1;

    // A server that is resetting after its last client left refuses
    // connections for a moment, so try a few times.
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    for (int attempt = 0; attempt < 40 && xcb_connection_has_error(c) != 0; ++attempt) {
        xcb_disconnect(c);
        usleep(50000);
        c = xcb_connect(nullptr, &screenNumber);
    }
    if (xcb_connection_has_error(c) != 0) {
        std::fprintf(stderr, "first_frame: cannot connect to the X server (DISPLAY?)\n");
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &damage_extension);
    if (damage == nullptr || damage->present == 0) {
        std::fprintf(stderr, "first_frame: the X server has no DAMAGE extension\n");
        return 1;
    }
    DamageQueryVersionRequest version{0, kDamageQueryVersion, 0, 1, 1};
    std::free(xcb_wait_for_reply(
        c, sendDamageRequest(c, &version, sizeof version, kDamageQueryVersion, true), nullptr));

    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t* maskError = xcb_request_check(
        c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    if (maskError != nullptr) {
        std::fprintf(stderr, "first_frame: cannot watch the root window\n");
        return 1;
    }

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("first_frame: fork");
        return 1;
    }
    if (pid == 0) {
        close(xcb_get_file_descriptor(c));
        execvp(program[0], program);
        std::perror("first_frame: exec");
        _exit(127);
    }

    std::set<xcb_window_t> targets; // mapped windows named TITLE
    double frameAt = -1, lastPoll = 0;
    const char* method = "";
    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (frameAt < 0) {
        const double now = nowMs();
        if (now - start > timeoutMs) {
            std::fprintf(stderr, "first_frame: no painted window \"%s\" within %.0f ms\n",
                         title.c_str(), timeoutMs);
            stopChild(pid);
            return 1;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "first_frame: %s ended before painting (status %d)\n", program[0],
                         status);
            return 1;
        }
        poll(&pfd, 1, 2);
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const double at = nowMs();
            const uint8_t type = event->response_type & 0x7F;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* create = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (create->parent == root) {
                    DamageCreateRequest req{0,
                                            kDamageCreate,
                                            0,
                                            xcb_generate_id(c),
                                            create->window,
                                            kReportRawRectangles,
                                            {0, 0, 0}};
                    sendDamageRequest(c, &req, sizeof req, kDamageCreate, false);
                    xcb_flush(c);
                }
            } else if (type == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (frameAt < 0 && windowName(c, map->window) == title) {
                    targets.insert(map->window);
                    if (looksPainted(c, map->window)) {
                        frameAt = at;
                        method = "map";
                    }
                }
            } else if (type == damage->first_event) {
                const auto* notify = reinterpret_cast<DamageNotifyEvent*>(event);
                if (frameAt < 0 && windowName(c, notify->drawable) == title &&
                    looksPainted(c, notify->drawable)) {
                    frameAt = at;
                    method = "damage";
                }
            }
            std::free(event);
        }
        if (frameAt < 0 && !targets.empty() && nowMs() - lastPoll >= 50) {
            lastPoll = nowMs();
            for (xcb_window_t w : targets) {
                if (looksPainted(c, w)) {
                    frameAt = lastPoll;
                    // The painting may have reached the server just before
                    // this check, its DamageNotify still unread: then the
                    // check merely came first, and its time is as good.
                    // Otherwise DAMAGE missed it and the time is coarse.
                    method = damageQueued(c, w, damage->first_event) ? "check" : "poll";
                    break;
                }
            }
        }
        if (xcb_connection_has_error(c) != 0) {
            std::fprintf(stderr, "first_frame: lost the X server\n");
            stopChild(pid);
            return 1;
        }
    }

    usleep(static_cast<useconds_t>(settleMs * 1000));
    const long rss = residentKb(pid);
    stopChild(pid);
    xcb_disconnect(c);
    std::printf("first_frame_ms=%.2f rss_kb=%ld method=%s\n", frameAt - start, rss, method);
    return 0;
}

/* first_frame: how long a program takes from its start to its first painted
 * frame on the X display, measured from outside the program.
 *
 *   first_frame [--timeout S] [--hold S] [--min-size WxH] [--verbose] -- PROGRAM [ARG...]
 *
 * Forks and execs PROGRAM, watches the root window for the windows it makes,
 * and follows the damage (XDamage) of each one. The first frame is done when
 * the program's own drawing has covered the whole of one of its windows that
 * is at least --min-size large. Then the program gets --hold seconds more,
 * SIGTERM (SIGKILL if it has not ended 5 s later), and first_frame prints
 *
 *   MILLISECONDS PEAK_KIB
 *
 * the time from just before the exec to the damage event that completed the
 * frame, and the program's peak resident memory (ru_maxrss from wait4).
 * Exit status 0; 2 when no frame came within --timeout (the program is
 * ended all the same), 1 on other failures.
 *
 * The X server paints a window's background itself when the window is
 * mapped or uncovered, and that damages the window too, though the program
 * drew nothing. Such painting happens inside the request that exposed the
 * window, right before the server sends the Expose events for it; this tool
 * selects Expose on every window it follows, so damage that is followed by an
 * Expose over the same area, within the same request, is the server's and
 * does not count. After each damage event one round trip (XSync) brings in
 * every event that request made.
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#define MAX_WINDOWS 256

struct watched {
    Window window;
    Window toplevel;     /* the child of the root it belongs to */
    Damage damage;
    int width, height;
    Region painted;      /* what the program's drawing has covered so far */
};

static struct watched windows[MAX_WINDOWS];
static int nwindows;
static int verbose;
static int damage_event_base;
static double t_start;

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static struct watched* find(Window w) {
    for (int i = 0; i < nwindows; ++i)
        if (windows[i].window == w) return &windows[i];
    return NULL;
}

/* Windows made while the tool subscribes to a new one are not lost: the
 * server reports errors for windows that vanished meanwhile, and those are
 * ignored. */
static int ignore_errors(Display* d, XErrorEvent* e) {
    (void)d;
    if (verbose) fprintf(stderr, "first_frame: X error %d on 0x%lx (ignored)\n", e->error_code, e->resourceid);
    return 0;
}

static void follow(Display* d, Window w, Window toplevel, int width, int height) {
    if (find(w) || nwindows == MAX_WINDOWS) return;
    struct watched* s = &windows[nwindows++];
    s->window = w;
    s->toplevel = toplevel;
    s->width = width;
    s->height = height;
    s->painted = XCreateRegion();
    XSelectInput(d, w, SubstructureNotifyMask | StructureNotifyMask | ExposureMask);
    s->damage = XDamageCreate(d, w, XDamageReportRawRectangles);
    XWindowAttributes a;
    if (XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable && verbose)
        fprintf(stderr, "first_frame: 0x%lx was mapped before it could be followed\n", w);
    if (verbose) fprintf(stderr, "%9.1f ms  follow 0x%lx %dx%d\n", now_ms() - t_start, w, width, height);
}

/* The _NET_WM_PID of a window, or 0 when it has none. */
static long window_pid(Display* d, Window w) {
    Atom pid_atom = XInternAtom(d, "_NET_WM_PID", False), type;
    int format;
    unsigned long n, after;
    unsigned char* data = NULL;
    long pid = 0;
    if (XGetWindowProperty(d, w, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after, &data) ==
            Success &&
        data && n == 1 && format == 32)
        pid = (long)*(unsigned long*)data;
    if (data) XFree(data);
    return pid;
}

static int covers_window(struct watched* s) {
    return s->width > 0 && s->height > 0 &&
           XRectInRegion(s->painted, 0, 0, (unsigned)s->width, (unsigned)s->height) == RectangleIn;
}

/* Ends the program: SIGTERM, then SIGKILL when it is still there after 5 s.
 * Returns its peak resident memory in KiB. */
static long end_program(pid_t pid) {
    struct rusage ru;
    int status;
    pid_t r = 0;
    kill(pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        r = wait4(pid, &status, WNOHANG, &ru);
        if (r == pid) break;
        usleep(10000);
    }
    if (r != pid) {
        kill(pid, SIGKILL);
        if (wait4(pid, &status, 0, &ru) != pid) return -1;
    }
    if (verbose)
        fprintf(stderr, "first_frame: the program used %.1f ms of processor time\n",
                (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e3 + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e3);
    return ru.ru_maxrss;
}

static void usage(void) {
    fprintf(stderr,
            "usage: first_frame [--timeout S] [--hold S] [--min-size WxH] [--verbose] -- PROGRAM [ARG...]\n");
    exit(1);
}

int main(int argc, char** argv) {
    double timeout_s = 20, hold_s = 0;
    int min_w = 1, min_h = 1;
    int i = 1;
    for (; i < argc; ++i) {
        if (!strcmp(argv[i], "--")) {
            ++i;
            break;
        } else if (!strcmp(argv[i], "--timeout") && i + 1 < argc) {
            timeout_s = atof(argv[++i]);
        } else if (!strcmp(argv[i], "--hold") && i + 1 < argc) {
            hold_s = atof(argv[++i]);
        } else if (!strcmp(argv[i], "--min-size") && i + 1 < argc) {
            if (sscanf(argv[++i], "%dx%d", &min_w, &min_h) != 2) usage();
        } else if (!strcmp(argv[i], "--verbose")) {
            verbose = 1;
        } else {
            usage();
        }
    }
    if (i >= argc) usage();
    char** program = &argv[i];

    /* Another X server starting on this machine probes the display
     * numbers and can refuse a connection for a moment: a few tries. */
    Display* d = NULL;
    for (int tries = 0; !d && tries < 20; ++tries) {
        if (tries) usleep(50000);
        d = XOpenDisplay(NULL);
    }
    if (!d) {
        fprintf(stderr, "first_frame: cannot open the display\n");
        return 1;
    }
    int error_base;
    if (!XDamageQueryExtension(d, &damage_event_base, &error_base)) {
        fprintf(stderr, "first_frame: the X server has no DAMAGE extension\n");
        return 1;
    }
    int major = 1, minor = 1;
    XDamageQueryVersion(d, &major, &minor);
    XSetErrorHandler(ignore_errors);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    t_start = now_ms();
    pid_t pid = fork();
    if (pid < 0) {
        perror("first_frame: fork");
        return 1;
    }
    if (pid == 0) {
        close(ConnectionNumber(d));
        /* The program's output is not ours, and processes it starts (Wine's
         * services) must not hold our output open after it ends. */
        int err = fcntl(2, F_DUPFD_CLOEXEC, 3);
        int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, 0);
            dup2(null, 1);
            if (!verbose) dup2(null, 2);
            if (null > 2) close(null);
        }
        execvp(program[0], program);
        dprintf(err >= 0 ? err : 2, "first_frame: cannot run %s: %s\n", program[0], strerror(errno));
        _exit(127);
    }

    double frame_ms = -1;
    struct pollfd pfd = {ConnectionNumber(d), POLLIN, 0};
    while (frame_ms < 0) {
        if (!XPending(d)) {
            if (now_ms() - t_start > timeout_s * 1e3) break;
            int status;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                fprintf(stderr, "first_frame: %s ended before its first frame\n", program[0]);
                return 1;
            }
            poll(&pfd, 1, 20);
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        const double t = now_ms() - t_start;
        if (e.type == CreateNotify) {
            Window parent = e.xcreatewindow.parent;
            struct watched* p = find(parent);
            Window top = parent == root ? e.xcreatewindow.window : p ? p->toplevel : 0;
            if (top) follow(d, e.xcreatewindow.window, top, e.xcreatewindow.width, e.xcreatewindow.height);
        } else if (e.type == ConfigureNotify) {
            struct watched* s = find(e.xconfigure.window);
            if (s && e.xconfigure.event == e.xconfigure.window) {
                s->width = e.xconfigure.width;
                s->height = e.xconfigure.height;
                if (verbose)
                    fprintf(stderr, "%9.1f ms  configure 0x%lx %d,%d %dx%d\n", t, s->window, e.xconfigure.x,
                            e.xconfigure.y, s->width, s->height);
            }
        } else if (e.type == MapNotify && verbose) {
            if (e.xmap.event == e.xmap.window) fprintf(stderr, "%9.1f ms  map 0x%lx\n", t, e.xmap.window);
        } else if (e.type == Expose && verbose) {
            fprintf(stderr, "%9.1f ms  expose 0x%lx %d,%d %dx%d count %d (no damage before it)\n", t,
                    e.xexpose.window, e.xexpose.x, e.xexpose.y, e.xexpose.width, e.xexpose.height,
                    e.xexpose.count);
        } else if (e.type == damage_event_base + XDamageNotify) {
            XDamageNotifyEvent* de = (XDamageNotifyEvent*)&e;
            struct watched* s = find(de->drawable);
            if (!s) continue;
            /* One batch of rectangles: this event and those that follow it
             * with `more` set for the same window. */
            XRectangle rects[64];
            int n = 0;
            rects[n++] = (XRectangle){de->area.x, de->area.y, de->area.width, de->area.height};
            int more = de->more;
            /* Everything the same request made, in the queue now. */
            XSync(d, False);
            while (more && XPending(d)) {
                XEvent next;
                XPeekEvent(d, &next);
                XDamageNotifyEvent* nd = (XDamageNotifyEvent*)&next;
                if (next.type != damage_event_base + XDamageNotify || nd->drawable != s->window) break;
                XNextEvent(d, &next);
                if (n < 64) rects[n++] = (XRectangle){nd->area.x, nd->area.y, nd->area.width, nd->area.height};
                more = nd->more;
            }
            /* The server's background painting is followed by the Expose
             * events of the same area. */
            int exposed = 0;
            int ex0 = 0, ey0 = 0, ex1 = 0, ey1 = 0;
            if (XPending(d)) {
                XEvent next;
                XPeekEvent(d, &next);
                if (next.type == Expose && next.xexpose.window == s->window) {
                    ex0 = ey0 = 1 << 30;
                    ex1 = ey1 = -(1 << 30);
                    do {
                        XNextEvent(d, &next);
                        if (next.xexpose.x < ex0) ex0 = next.xexpose.x;
                        if (next.xexpose.y < ey0) ey0 = next.xexpose.y;
                        if (next.xexpose.x + next.xexpose.width > ex1) ex1 = next.xexpose.x + next.xexpose.width;
                        if (next.xexpose.y + next.xexpose.height > ey1) ey1 = next.xexpose.y + next.xexpose.height;
                        if (next.xexpose.count == 0 || !XPending(d)) break;
                        XPeekEvent(d, &next);
                    } while (next.type == Expose && next.xexpose.window == s->window);
                    exposed = 1;
                    for (int k = 0; k < n; ++k)
                        if (rects[k].x < ex0 || rects[k].y < ey0 || rects[k].x + rects[k].width > ex1 ||
                            rects[k].y + rects[k].height > ey1)
                            exposed = 0;
                }
            }
            if (verbose)
                fprintf(stderr, "%9.1f ms  damage 0x%lx %d rect(s) from %d,%d %dx%d%s\n", t, s->window, n,
                        rects[0].x, rects[0].y, rects[0].width, rects[0].height,
                        exposed ? " (the server's background)" : "");
            if (exposed) continue;
            for (int k = 0; k < n; ++k) XUnionRectWithRegion(&rects[k], s->painted, s->painted);
            if (s->width >= min_w && s->height >= min_h && covers_window(s)) {
                long owner = window_pid(d, s->toplevel);
                if (owner && owner != pid) {
                    if (verbose) fprintf(stderr, "first_frame: 0x%lx belongs to process %ld\n", s->window, owner);
                    continue;
                }
                frame_ms = t;
            }
        }
    }

    if (frame_ms < 0) {
        fprintf(stderr, "first_frame: no frame of %s within %g s\n", program[0], timeout_s);
        end_program(pid);
        return 2;
    }
    /* The program runs on for --hold seconds; its X events are not ours to
     * read any more. */
    XCloseDisplay(d);
    if (hold_s > 0) {
        struct timespec ts = {(time_t)hold_s, (long)((hold_s - (time_t)hold_s) * 1e9)};
        while (nanosleep(&ts, &ts) == -1 && errno == EINTR) {
        }
    }
    long peak = end_program(pid);
    printf("%.1f %ld\n", frame_ms, peak);
    return 0;
}

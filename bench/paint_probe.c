/* paint_probe: a plain Xlib window for checking first_frame's criterion.
 *
 *   paint_probe never   maps a window with a white background and never
 *                       draws: the server paints the background, and
 *                       first_frame must not take that for a frame
 *   paint_probe paint   the same window, filled grey at its first Expose:
 *                       that is a frame
 *
 * Like a toolkit, it makes a few round trips between creating the window
 * and mapping it. Ends on SIGTERM. */
#include <X11/Xlib.h>

#include <stdio.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2 || (strcmp(argv[1], "never") && strcmp(argv[1], "paint"))) {
        fprintf(stderr, "usage: paint_probe never|paint\n");
        return 1;
    }
    const int paint = !strcmp(argv[1], "paint");
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "paint_probe: cannot open the display\n");
        return 1;
    }
    const int screen = DefaultScreen(d);
    Window w = XCreateSimpleWindow(d, RootWindow(d, screen), 0, 0, 640, 480, 0, BlackPixel(d, screen),
                                   WhitePixel(d, screen));
    XSelectInput(d, w, ExposureMask);
    XStoreName(d, w, "paint_probe");
    XSync(d, False);
    usleep(20000);
    XMapWindow(d, w);
    GC gc = XCreateGC(d, w, 0, NULL);
    XSetForeground(d, gc, 0xb2b2b2);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (paint && e.type == Expose && e.xexpose.count == 0) {
            XFillRectangle(d, w, gc, 0, 0, 640, 480);
            XFlush(d);
        }
    }
}

/* panel_probe: prints the dock windows of the X display, one line each, as
 * their window manager and the desktop's pagers see them:
 *
 *   WINDOW MAPSTATE WxH+X+Y desktop=N|- states=NAME,NAME|- class=RES_CLASS
 *
 * WINDOW in hex, MAPSTATE viewable, unviewable or unmapped, the place on the
 * root window. Docks are found as the menu finds them: two levels below the
 * root, mapped or not. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static Display *d;

static unsigned long *prop32(Window w, const char *name, Atom type, unsigned long *count) {
    Atom actual;
    int format;
    unsigned long after;
    unsigned char *data = NULL;
    *count = 0;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1024, False, type, &actual, &format, count,
                           &after, &data) != Success || actual != type || format != 32) {
        if (data) XFree(data);
        *count = 0;
        return NULL;
    }
    return (unsigned long *)data;
}

static int is_dock(Window w) {
    unsigned long n, i;
    unsigned long *types = prop32(w, "_NET_WM_WINDOW_TYPE", XA_ATOM, &n);
    Atom dock = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DOCK", False);
    int found = 0;
    for (i = 0; i < n; ++i) found |= types[i] == dock;
    if (types) XFree(types);
    return found;
}

static void print(Window w) {
    XWindowAttributes a;
    Window child;
    int x, y;
    unsigned long n, i;
    if (!XGetWindowAttributes(d, w, &a)) return;
    XTranslateCoordinates(d, w, a.root, 0, 0, &x, &y, &child);
    printf("0x%lx %s %dx%d+%d+%d", w,
           a.map_state == IsViewable ? "viewable" : a.map_state == IsUnviewable ? "unviewable" : "unmapped",
           a.width, a.height, x, y);
    unsigned long *desktop = prop32(w, "_NET_WM_DESKTOP", XA_CARDINAL, &n);
    if (n) printf(" desktop=%lu", desktop[0] & 0xffffffffUL); else printf(" desktop=-");
    if (desktop) XFree(desktop);
    unsigned long *states = prop32(w, "_NET_WM_STATE", XA_ATOM, &n);
    printf(" states=");
    if (!states) printf("-");
    for (i = 0; i < n; ++i) {
        char *name = XGetAtomName(d, states[i]);
        printf("%s%s", i ? "," : "", name ? name + (strncmp(name, "_NET_WM_STATE_", 14) ? 0 : 14) : "?");
        if (name) XFree(name);
    }
    if (states) XFree(states);
    XClassHint hint = {0};
    printf(" class=%s\n", XGetClassHint(d, w, &hint) && hint.res_class ? hint.res_class : "-");
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
}

static void walk(Window parent, int depth) {
    Window root, up, *children = NULL;
    unsigned int n, i;
    if (!XQueryTree(d, parent, &root, &up, &children, &n)) return;
    for (i = 0; i < n; ++i) {
        if (is_dock(children[i])) print(children[i]);
        else if (depth > 1) walk(children[i], depth - 1);
    }
    if (children) XFree(children);
}

static int ignore(Display *dpy, XErrorEvent *e) { (void)dpy; (void)e; return 0; }

int main(void) {
    d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "panel_probe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignore);
    walk(DefaultRootWindow(d), 2);
    XCloseDisplay(d);
    return 0;
}

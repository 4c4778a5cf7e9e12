#include "platform/gtk/x11_taskbar.h"

#include <X11/Xatom.h>
#include <unistd.h>
#include <X11/Xlib.h>
#include <gdk/gdk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

namespace platform::gtk {

namespace {

// Root's children are the top-level windows and the window manager's
// frames; a reparented client lies one or two levels below its frame.
constexpr int kDepth = 3;

// Whether a window manager still holds w in a frame of its own.
bool framed(Display* dpy, Window w) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy, w, &root, &parent, &children, &count)) return false;  // gone
    if (children) XFree(children);
    return parent != root;
}

bool isDock(Display* dpy, Window w, Atom windowType, Atom dock) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, w, windowType, 0, 32, False, XA_ATOM, &type, &format, &count, &after, &data) !=
        Success)
        return false;
    bool found = false;
    if (data && type == XA_ATOM && format == 32) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);  // format 32 comes as longs
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == dock;
    }
    if (data) XFree(data);
    return found;
}

void collect(Display* dpy, Window parent, int depth, Atom windowType, Atom dock, std::vector<std::uintptr_t>& out) {
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy, parent, &root, &up, &children, &count)) return;  // gone meanwhile
    for (unsigned int i = 0; i < count; ++i) {
        if (isDock(dpy, children[i], windowType, dock))
            out.push_back(children[i]);
        else if (depth > 1)
            collect(dpy, children[i], depth - 1, windowType, dock, out);
    }
    if (children) XFree(children);
}

// A window manager answers an unmapped dock by taking it out of its frame
// and forgetting it. Until it has, a map request may reach it while it still
// counts the dock as its own, and be dropped; and a window maximized meanwhile
// would still leave room for the panel. So hiding waits, briefly, for that.
void awaitRelease(Display* dpy, const std::vector<std::uintptr_t>& windows) {
    constexpr int kPolls = 50, kPollMicroseconds = 10'000;  // half a second at most
    for (int i = 0; i < kPolls; ++i) {
        bool pending = false;
        for (std::uintptr_t w : windows) pending = pending || (w && framed(dpy, static_cast<Window>(w)));
        if (!pending) return;
        usleep(kPollMicroseconds);
    }
}

#ifdef GDK_WINDOWING_X11
GdkDisplay* gdkX11Display() {
    GdkDisplay* display = gdk_display_get_default();
    return display && GDK_IS_X11_DISPLAY(display) ? display : nullptr;
}
#endif

}  // namespace

std::vector<std::uintptr_t> findDockWindows(Display* dpy) {
    std::vector<std::uintptr_t> docks;
    Atom windowType = XInternAtom(dpy, "_NET_WM_WINDOW_TYPE", False);
    Atom dock = XInternAtom(dpy, "_NET_WM_WINDOW_TYPE_DOCK", False);
    collect(dpy, DefaultRootWindow(dpy), kDepth, windowType, dock, docks);
    return docks;
}

void setDockWindowsMapped(Display* dpy, const std::vector<std::uintptr_t>& windows, bool mapped) {
    for (std::uintptr_t w : windows) {
        if (!w) continue;
        if (mapped)
            XMapWindow(dpy, static_cast<Window>(w));
        else
            XUnmapWindow(dpy, static_cast<Window>(w));
    }
    // Carried out before the menu goes on, which after showing the panel is
    // to end: a map request still under way as its connection closes has
    // been seen to get lost on the window manager's side.
    XSync(dpy, False);
    if (!mapped) awaitRelease(dpy, windows);
}

std::vector<std::uintptr_t> findDockWindows() {
#ifdef GDK_WINDOWING_X11
    if (GdkDisplay* display = gdkX11Display()) {
        // Windows may vanish while we walk; their errors are expected.
        gdk_x11_display_error_trap_push(display);
        std::vector<std::uintptr_t> docks = findDockWindows(gdk_x11_display_get_xdisplay(display));
        gdk_x11_display_error_trap_pop_ignored(display);
        return docks;
    }
#endif
    return {};
}

void setDockWindowsMapped(const std::vector<std::uintptr_t>& windows, bool mapped) {
#ifdef GDK_WINDOWING_X11
    if (GdkDisplay* display = gdkX11Display()) {
        gdk_x11_display_error_trap_push(display);
        setDockWindowsMapped(gdk_x11_display_get_xdisplay(display), windows, mapped);
        gdk_x11_display_error_trap_pop_ignored(display);
    }
#else
    (void)windows;
    (void)mapped;
#endif
}

}  // namespace platform::gtk

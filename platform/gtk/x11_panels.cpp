#include "platform/gtk/x11_panels.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>

namespace platform::gtk {

namespace {

// The X display GTK talks on, or nullptr where GTK runs on something else.
// Using GTK's own connection keeps our requests in order with the window's.
Display* x11Display(GdkDisplay** gdkDisplay) {
    *gdkDisplay = gdk_display_get_default();
    if (!*gdkDisplay || !GDK_IS_X11_DISPLAY(*gdkDisplay)) return nullptr;
    return gdk_x11_display_get_xdisplay(*gdkDisplay);
}

bool isDock(Display* d, Window w, Atom type, Atom dock) {
    Atom actualType;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(d, w, type, 0, 32, False, XA_ATOM, &actualType, &format, &count, &after, &data) ==
            Success &&
        data && actualType == XA_ATOM && format == 32) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == dock;
    }
    if (data) XFree(data);
    return found;
}

void collect(Display* d, Window parent, int depth, Atom type, Atom dock, std::vector<std::uintptr_t>& out) {
    Window root, ignored;
    Window* children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, parent, &root, &ignored, &children, &n)) return;
    for (unsigned int i = 0; i < n; ++i) {
        if (isDock(d, children[i], type, dock))
            out.push_back(children[i]);
        else if (depth > 1)
            collect(d, children[i], depth - 1, type, dock, out);
    }
    if (children) XFree(children);
}

}  // namespace

std::vector<std::uintptr_t> findPanels(Display* d) {
    std::vector<std::uintptr_t> panels;
    const Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    const Atom dock = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DOCK", False);
    collect(d, DefaultRootWindow(d), 2, type, dock, panels);
    return panels;
}

std::vector<std::uintptr_t> findPanels() {
    GdkDisplay* gdkDisplay;
    Display* d = x11Display(&gdkDisplay);
    if (!d) return {};
    // Windows may vanish while we look; such errors are no concern of ours.
    gdk_x11_display_error_trap_push(gdkDisplay);
    std::vector<std::uintptr_t> panels = findPanels(d);
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    return panels;
}

}  // namespace platform::gtk

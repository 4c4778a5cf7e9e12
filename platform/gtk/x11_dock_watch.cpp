#include "platform/gtk/x11_dock_watch.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>

namespace platform::gtk {

X11DockWatch::X11DockWatch(std::function<void()> changed) : changed_(std::move(changed)) {
    GdkDisplay* display = gdk_display_get_default();
    if (!display || !GDK_IS_X11_DISPLAY(display)) return;
    root_ = gdk_get_default_root_window();
    // GDK listens to the root window's properties (settings, work area);
    // the children's creation and mapping are added to that, on GTK's own
    // connection, whose events pass the filter.
    Display* d = gdk_x11_display_get_xdisplay(display);
    const Window root = gdk_x11_window_get_xid(root_);
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, root, &a)) {
        root_ = nullptr;
        return;
    }
    rootEvents_ = a.your_event_mask;
    XSelectInput(d, root, rootEvents_ | SubstructureNotifyMask);
    gdk_window_add_filter(root_, filter, this);
}

X11DockWatch::~X11DockWatch() {
    if (!root_) return;
    gdk_window_remove_filter(root_, filter, this);
    XSelectInput(gdk_x11_display_get_xdisplay(gdk_window_get_display(root_)), gdk_x11_window_get_xid(root_),
                 rootEvents_);
    if (pending_) g_source_remove(pending_);
}

GdkFilterReturn X11DockWatch::filter(GdkXEvent* xevent, GdkEvent*, gpointer p) {
    auto* self = static_cast<X11DockWatch*>(p);
    const XEvent* e = static_cast<const XEvent*>(xevent);
    switch (e->type) {
        case CreateNotify:
        case MapNotify:
        case ReparentNotify:
            // Coalesced: a panel's start brings a handful of these at once.
            if (!self->pending_) self->pending_ = g_idle_add(report, self);
            break;
        default:
            break;
    }
    return GDK_FILTER_CONTINUE;
}

gboolean X11DockWatch::report(gpointer p) {
    auto* self = static_cast<X11DockWatch*>(p);
    self->pending_ = 0;
    self->changed_();
    return G_SOURCE_REMOVE;
}

}  // namespace platform::gtk
